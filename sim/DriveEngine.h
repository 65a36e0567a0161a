#pragma once
// The drive behind the line: its memory (parameters, working registers, the window, the alarm
// history, the status registers that follow the motor) and its answers to requests. No I/O
// and no timing of its own; LineServer feeds it requests and sends its replies. Every method
// is thread-safe, so tests can look inside while it serves.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim/AccessWindow.h"
#include "sim/AlarmHistory.h"
#include "sim/DriveLinkResponder.h"
#include "sim/DriveMemory.h"
#include "sim/ModbusResponder.h"
#include "sim/DriveMotion.h"
#include "sim/MotionSource.h"
#include "sim/ParameterMemory.h"
#include "sim/ParameterTable.h"
#include "sim/RequestFramer.h"
#include "sim/SimOptions.h"
#include "sim/StateFile.h"
#include "sim/StatusRegisters.h"
#include "sim/TraceEngine.h"
#include "sim/TuningDrive.h"
#include "sim/TuningFirmware.h"

namespace zavo::sim {

class DriveEngine {
 public:
  // Throws std::invalid_argument for a drive type outside 0-4.
  DriveEngine(int driveType, int station, std::uint64_t seed, const AxisSetup& axis = {});
  DriveEngine(const DriveEngine&) = delete;
  DriveEngine& operator=(const DriveEngine&) = delete;

  // The drive's answer to one request, `ms` after power-on.
  Answer answer(const RequestFramer::Request& request, double ms);
  // The refusal in the request's protocol ('!', or a Modbus exception).
  Bytes refusal(const RequestFramer::Request& request) const;

  std::optional<int> readRegister(RegisterRef r);
  void poke(RegisterRef r, std::uint16_t value);
  int storedWord(int linear) const;
  bool setStoredWord(int linear, std::uint16_t value);
  std::optional<std::int32_t> storedParameter(const std::string& code) const;
  std::optional<std::int32_t> liveParameter(const std::string& code);
  bool setParameter(const std::string& code, std::int32_t raw);
  void powerCycle();
  // Refuses every write from the line to these registers: direct writes, and window stores
  // to their linear numbers. Replaces the registers refused before.
  void refuseWrites(const std::vector<RegisterRef>& registers);
  AlarmHistory::Codes alarms() const;
  void setAlarms(const AlarmHistory::Codes& codes);

  // What survives a power cycle, and a counter that moves whenever it changes.
  DriveState state() const;
  std::uint64_t stateRevision() const;
  // Takes a saved state (of the same drive type) and powers up from it.
  bool restore(const DriveState& state, std::string* error);

  const ParameterTable& table() const { return table_; }

  // The trace function: records lost in Monitor mode, the port that refuses the trace
  // stream with '#', and block replies spoilt on purpose.
  long traceOverruns() const;
  void setTracePortRefused(bool refused);
  void spoilTraceBlocks(int n);

 private:
  void powerCycleLocked();
  void mirror(RegisterRef live, std::uint16_t value);
  TraceSignals::Terminals terminals();

  mutable std::mutex m_;
  const ParameterTable& table_;
  ParameterMemory parameters_;
  DriveMemory memory_;
  DriveMotion motion_;
  TuningDrive tuning_;
  AccessWindow* window_ = nullptr;
  TuningFirmware* firmware_ = nullptr;
  AlarmHistory* alarms_ = nullptr;
  StatusRegisters* status_ = nullptr;
  TraceEngine* trace_ = nullptr;
  ModbusMap modbusMap_;
  DriveLinkResponder driveLink_;
  ModbusResponder modbus_;
};

}  // namespace zavo::sim
