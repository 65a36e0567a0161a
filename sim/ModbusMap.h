#pragma once
// Where each Modbus parameter register (group base + parameter number) lives in the drive:
// its working register and, for stored parameters, its word of the parameter memory.

#include <map>

#include "sim/Register.h"

namespace zavo::sim {

struct ModbusTarget {
  RegisterRef live;
  int linear = -1;  // the stored word; -1 for a display value
  bool storeOnly = false;  // taken at the next start: a write only stores it
};

class ModbusMap {
 public:
  void add(int modbusRegister, ModbusTarget target) { targets_.insert_or_assign(modbusRegister, target); }
  const ModbusTarget* find(int modbusRegister) const {
    const auto it = targets_.find(modbusRegister);
    return it == targets_.end() ? nullptr : &it->second;
  }
  std::size_t size() const { return targets_.size(); }

 private:
  std::map<int, ModbusTarget> targets_;
};

}  // namespace zavo::sim
