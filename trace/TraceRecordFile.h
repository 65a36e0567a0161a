#pragma once
// What a trace data file (.trd) holds: a captured record and the window's display state when
// it was saved. Two text lines, then little-endian 32-bit words without separators, in the
// order of the fields below; each sample block holds points + 1 values (index 0 to points).
//
// Files of version 160800 and older lack the leading mode word; those of 160200 and older
// also lack the scales of data 3 and 4. The last three words (trigger channel, level, drive
// type) came late: a file may end before them, and they then read as 0.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "trace/TraceScale.h"
#include "trace/TraceSettings.h"
#include "trace/TraceSources.h"

namespace zavo::trace {

inline constexpr int kTraceFileVersion = 160830;
inline constexpr int kVersionWithoutMode = 160800;     // this and older: no mode word
inline constexpr int kVersionWithoutScales34 = 160200;  // this and older: no scales of data 3, 4
inline constexpr int kMaxFilePoints = 29999;
inline constexpr const char* kTraceFileHeader = "; Zavo Servo M7 v0.1.160830";
inline constexpr const char* kTraceDataLine = "[Trace Data]";

struct TraceRecordFile {
  int version = kTraceFileVersion;  // as read; a file is always written as the current version
  std::int32_t mode = 0;
  std::array<std::int32_t, kChannelCount> sources{};
  std::array<std::uint32_t, kChannelCount> colours{};  // RGB words, red in the low byte
  std::uint32_t periodWordBits = 0;                     // W as the bits of a 32-bit float
  std::int32_t interval = 1;
  std::int32_t points = 0;
  std::array<ChannelScale, kChannelCount> scales{};
  std::int32_t timeSelection = 0;
  std::int32_t scroll = 0;
  std::int32_t frontChannel = kChannelCount - 1;
  std::array<std::vector<std::int32_t>, kChannelCount> samples;  // points + 1 each
  // Data 3's and data 4's half span, written twice by every version that has them.
  std::array<std::int32_t, 2> repeatedHalfSpans{};
  TerminalAssignments terminals{};
  std::int32_t triggerChannel = 0;
  std::int32_t triggerLevel = 0;
  std::int32_t driveType = 0;

  float periodWord() const;
  void setPeriodWord(float w);

  friend bool operator==(const TraceRecordFile&, const TraceRecordFile&) = default;
};

// The version of a first line: the number its last six characters form; nothing when they
// are not six digits, or the line is not one of ours (no ';', no "Zavo Servo" in the 24
// characters after it).
std::optional<int> traceFileVersion(std::string_view firstLine);

// The file's bytes as the current version writes them.
std::string traceFileBytes(const TraceRecordFile& f);

// Reads `bytes`. Nothing when they are not a sound trace file: a wrong header, a file that
// ends inside a field it must have, points outside 1-29999, a mode outside 0-2 or an interval
// outside its mode's range. Files without the mode word take Monitor mode at 5120 points,
// else `modeWithoutWord`. Text lines may end in CR LF.
std::optional<TraceRecordFile> parseTraceFile(std::string_view bytes, int modeWithoutWord);

// The drawing state held where the window can draw it: a source `sources` does not list
// becomes none, a trigger channel outside 0-4 none (level 0), a U the scale list lacks 100,
// a front channel outside 0-3 data 4, the time scale and the scroll position into range.
void clampDrawingState(TraceRecordFile& f, const TraceSources& sources);

}  // namespace zavo::trace
