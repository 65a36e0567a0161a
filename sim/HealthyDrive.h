#pragma once
// The drive a virtual drive is at power-on: identity and version words of a current drive,
// terminals in a running state, display values that follow the motor, and an alarm history
// with some past alarms in it.

#include "sim/AlarmHistory.h"
#include "sim/ParameterTable.h"
#include "sim/StatusRegisters.h"

namespace zavo::sim {

class HealthyDrive {
 public:
  // Fills `status` with every display, diagnostics and identity register, skipping those that
  // belong to a parameter or the alarm history (they have their own engines).
  static void installStatus(StatusRegisters& status, const ParameterTable& table);
  static AlarmHistory::Codes alarmHistory();
};

}  // namespace zavo::sim
