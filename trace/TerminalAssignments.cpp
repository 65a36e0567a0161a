#include "trace/TerminalAssignments.h"

#include "link/PlanningTransfer.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::trace {

bool readTerminalAssignments(DriveOperations& ops, TerminalAssignments& out) {
  out.fill(0);
  const int type = driveContext().driveType;
  const auto names = PlanningTransfer::diDoNames();
  const std::size_t terminals = static_cast<std::size_t>(digitalInputsOf(type) + digitalOutputsOf(type));
  for (std::size_t k = 0; k < terminals && k < names.size() && k < out.size(); ++k) {
    if (!ops.readParameter(names[k])) return false;
    out[k] = ops.lastValue();
  }
  return true;
}

}  // namespace zavo::trace
