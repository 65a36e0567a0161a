#pragma once
// The `.tec` parameter file: a binary archive (no magic number) of the version text, the
// drive type, the last monitor, diagnostics and alarm readings, the status word and the
// working values of the stored groups. Two layouts exist: the short one (every drive type but
// 4), which grew by optional items at its end over the years, and the long one of drive
// type 4. Pure functions over bytes; the document applies the result.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "params/document/ParameterImages.h"

namespace zavo {

inline constexpr int kTecMonitorWords = 49;
inline constexpr int kTecDiagnosticsWords = 20;
inline constexpr int kTecAlarmWords = 20;
// The drive type whose files use the long layout.
inline constexpr int kTecLongLayoutDriveType = 4;
inline constexpr int kTecLastDriveType = 4;
// The short layout's items are numbered from 1 (version text); 13 is the last mandatory one.
inline constexpr int kTecLastMandatoryItem = 13;
inline constexpr int kTecLastItem = 23;
// Parameter files are a few kilobytes; a larger file is refused before it is read.
inline constexpr std::size_t kTecMaxFileBytes = 1 << 20;

// Everything a `.tec` file carries. `values` mirrors the document's working images (index =
// parameter number); slots the file does not carry stay 0 and `holds` says which they are.
struct TecFile {
  std::string versionText;
  std::int32_t driveType = 2;
  std::array<std::int32_t, kTecMonitorWords> monitor{};
  std::array<std::int32_t, kTecDiagnosticsWords> diagnostics{};
  std::int32_t statusWord = 0;
  std::array<std::int32_t, kTecAlarmWords> alarmHistory{};
  std::array<std::vector<std::int32_t>, kParamGroupCount> values;
  // The last item read: 13-23 for the short layout (a file ends after any optional item);
  // a long-layout file always carries all it can.
  int lastItem = kTecLastItem;

  TecFile();
  std::vector<std::int32_t>& operator[](ParamGroup g) { return values[static_cast<std::size_t>(g)]; }
  const std::vector<std::int32_t>& operator[](ParamGroup g) const { return values[static_cast<std::size_t>(g)]; }

  // Whether the file carries the working value of parameter `number` of `group`.
  bool holds(ParamGroup group, int number) const;
};

enum class TecReadStatus {
  Ok,
  Truncated,      // ends inside the mandatory items, the long layout or an optional item
  BadString,      // the version text's length is malformed or longer than the file
  BadDriveType,   // the drive type field names no drive type
  CannotOpen,     // (files only) the file cannot be opened or read
  TooLarge,       // (files only) far larger than any parameter file
  NotRegular,     // (files only) a FIFO, a device or a directory, not a file
};

// The version number of a version text: the integer after its last '.' (of the whole text
// when it has none), read as a leading decimal number; 0 when there are no digits.
int versionNumberOf(std::string_view versionText);

// Reads only the version text and the drive type field (the header probe before an open).
TecReadStatus parseTecHeader(std::string_view bytes, std::string& versionText, std::int32_t& driveType);

TecReadStatus parseTec(std::string_view bytes, TecFile& out);

// Reads and parses a file (bounded by kTecMaxFileBytes); `out` changes only on Ok.
TecReadStatus readTecFile(const std::string& path, TecFile& out);

// The layout follows `file.driveType`; the short layout is always written whole (items 1-23).
std::string formatTec(const TecFile& file);

}  // namespace zavo
