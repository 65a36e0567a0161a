#pragma once
// Opening and saving trace records on disk. Open takes .trd files only; Save As picks the
// format by the name's extension (.trd binary, .csv text, any case) and writes nothing for
// any other name. A save goes to a temporary file that then replaces the old one, so a
// failed save leaves the old file as it was.

#include <string>

#include "params/document/AtomicFile.h"
#include "trace/TraceRecordFile.h"

namespace zavo::trace {

enum class TraceOpenResult { Ok, Invalid, OtherDriveType };

struct TraceOpen {
  TraceOpenResult result = TraceOpenResult::Invalid;
  TraceRecordFile file;  // as read when Ok, its drawing state held in range
};

// Opens `path` for the window of drive type `driveType` (files without a mode word take
// `modeWithoutWord` unless they hold 5120 points).
TraceOpen openTraceFile(const std::string& path, int driveType, int modeWithoutWord);
// What the user is told when a file does not open: the invalid-file message, or "Serial
// error" for a file of another drive type.
std::string traceOpenMessage(TraceOpenResult r);

enum class TraceFormat { None, Binary, Text };
// The format a name asks for: "trd" or "csv" after its last dot, any case; None for any
// other name and for a file name under three characters.
TraceFormat traceFormatOf(const std::string& path);

struct TraceSave {
  enum class Outcome { Written, NotWritten, Failed } outcome = Outcome::NotWritten;
  std::string error;  // why a save failed
};
TraceSave saveTraceFile(const std::string& path, const TraceRecordFile& f);
// The bytes a save of `f` to a file of `format` writes.
std::string traceFileText(const TraceRecordFile& f, TraceFormat format);

}  // namespace zavo::trace
