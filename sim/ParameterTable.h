#pragma once
// Everything the virtual drive takes from the parameter catalogue, gathered once for its
// drive type: each stored parameter with its registers and power-on word, the display values,
// diagnostics and alarm history registers, and the Modbus parameter registers.
//
// Building it sets the process-wide drive context to that of a freshly powered drive of the
// type and puts the previous context back afterwards, so each type's table is built once per
// process and kept: create the first virtual drive of a type before other threads use the
// catalogue.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/AlarmHistory.h"
#include "sim/ModbusMap.h"
#include "sim/Register.h"

namespace zavo::sim {

struct StoredParameter {
  std::string code;
  RegisterRef live;  // the working register (low word of a 32-bit item)
  int linear = -1;   // its word in the parameter memory
  std::optional<RegisterRef> highLive;
  int highLinear = -1;
  std::int32_t powerOn = 0;  // the raw value of the catalogue's default
};

struct DisplayItem {
  int item = 0;  // Un-item
  RegisterRef low;
  std::optional<RegisterRef> high;
  // Display units per raw unit, by the catalogue's raw → display rule.
  double displayPerRaw = 1;
};

struct ParameterTable {
  int driveType = 0;
  std::vector<StoredParameter> parameters;
  std::vector<DisplayItem> display;
  // dn-01 .. dn-12 that have a register, by item.
  std::vector<std::pair<int, RegisterRef>> diagnostics;
  std::array<RegisterRef, AlarmHistory::kEntries> alarms{};
  ModbusMap modbus;
  // Working registers the drive sets at power-on besides parameters: the tuning parameters'
  // registers (tn08-tn21), which the catalogue lists on no drive type but the tuning tests read.
  std::vector<std::pair<RegisterRef, std::uint16_t>> tuningDefaults;
  // Motor data of the power-on context the defaults were computed with.
  int ratedSpeed = 0;
  int modelCode = 0;

  // The table of `driveType` (0-4), built on first use.
  static const ParameterTable& of(int driveType);
  static ParameterTable build(int driveType);

  const StoredParameter* find(const std::string& code) const;
  const DisplayItem* displayItem(int item) const;
  std::optional<RegisterRef> diagnostic(int item) const;
};

// The linear number of a register (page '5' +0x000, page 'C' +0x100, others +0x200).
int linearNumberOf(RegisterRef r);

}  // namespace zavo::sim
