#pragma once
// trace.ini: the settings of a capture that is running, left in the program folder so that
// the capture can be read back from the drive after the window, or the program, was closed
// without stopping it. Plain lines, one decimal value each, under a three-line header.

#include <optional>
#include <string>
#include <string_view>

#include "params/document/AtomicFile.h"
#include "trace/TraceSettingsBlock.h"

namespace zavo::trace {

inline constexpr const char* kTraceIniName = "trace.ini";
inline constexpr const char* kTraceIniFirstLine = "[Zavo Servo]";

// The file's text for `block`.
std::string traceIniText(const TraceSettingsBlock& block);
// Takes the values of `text` into `block` when its first line is exactly "[Zavo Servo]";
// lines that are not numbers read 0, lines past the end of the text leave their fields as
// they were, and the present flag is reduced to 0 or 1. False (and `block` untouched) for
// any other first line.
bool parseTraceIni(std::string_view text, TraceSettingsBlock& block);

SaveResult writeTraceIni(const std::string& path, const TraceSettingsBlock& block);

// What opening the trace window finds: nothing when there is no file; else whether the file
// was one of ours (its values then in `block`). The file is removed either way.
enum class TraceIniFound { None, Invalid, Valid };
TraceIniFound takeTraceIni(const std::string& path, TraceSettingsBlock& block);

}  // namespace zavo::trace
