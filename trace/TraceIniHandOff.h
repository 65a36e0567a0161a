#pragma once
// trace.ini as the trace window meets it: a file left by a capture that was still running
// when the window (or the program) went is taken up when the window opens, so that the
// record can be read back from the drive; the window writes it at every capture and
// read-back start, and deletes it when it closes.

#include <string>

#include "trace/TraceExchange.h"
#include "trace/TraceSettingsBlock.h"

namespace zavo::trace {

// trace.ini in the program's folder.
std::string traceIniPath(const std::string& programDir);

// Opening the window: a file of ours restores `block`; any file found is deleted and asks for
// the read-back (the flag in `exchange`). True when a file was found.
bool takeTraceIniAtOpen(const std::string& programDir, TraceSettingsBlock& block, TraceExchange& exchange);
// Closing the window.
void removeTraceIni(const std::string& programDir);

}  // namespace zavo::trace
