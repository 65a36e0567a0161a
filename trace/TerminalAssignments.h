#pragma once
// The drive's terminal assignment parameters, read before the Trace Setting dialog opens so
// that the digital sources carry the names of the functions their terminals have now.

#include "link/DriveOperations.h"
#include "trace/TraceSources.h"

namespace zavo::trace {

// Reads the inputs' and the outputs' assignment words of the current drive type into the
// start of `out` (the rest stays 0). False at the first parameter that could not be read.
bool readTerminalAssignments(DriveOperations& ops, TerminalAssignments& out);

}  // namespace zavo::trace
