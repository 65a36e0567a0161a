#pragma once
// The comma-separated export of a trace record, for other tools: the two header lines of the
// trace files, a header row naming each channel's signal and unit, then one row per point
// with its time in ms and the four samples.

#include <string>

#include "trace/TraceRecordFile.h"

namespace zavo::trace {

// The export of `f`; digital sources are named after the file's own copies of the terminal
// assignment, on the file's drive type.
std::string traceCsvText(const TraceRecordFile& f);

}  // namespace zavo::trace
