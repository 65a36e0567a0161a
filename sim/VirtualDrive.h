#pragma once
// A virtual servo drive on a pseudo-terminal: the peer every test and every trial run of the
// program talks to in place of hardware. It answers DriveLink (and Modbus when set to) from a
// drive's memory on a thread of its own, keeps serial-line time when paced, misbehaves on
// purpose when told, and lets its owner look inside: any register or parameter, the log of
// requests and their counts by kind.
//
//   VirtualDrive drive(options);
//   drive.start();                       // opens the pty, starts serving
//   CSerial port; port.Open(drive.portPath().c_str(), ...);
//   ...
//   drive.count(RequestKind::WindowWrite);
//   drive.stop();

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/AlarmHistory.h"
#include "sim/FaultPlan.h"
#include "sim/RequestKind.h"
#include "sim/RequestLog.h"
#include "sim/SimOptions.h"

namespace zavo::sim {

class DriveBus;
class DriveEngine;
class LineServer;

class VirtualDrive {
 public:
  // Throws std::invalid_argument for a drive type outside 0-4. The first drive of a type
  // reads the catalogue under the power-on drive context of that type (see ParameterTable).
  explicit VirtualDrive(SimOptions options = {});
  ~VirtualDrive();
  VirtualDrive(const VirtualDrive&) = delete;
  VirtualDrive& operator=(const VirtualDrive&) = delete;

  // Loads the state file (if any), opens the pty and starts serving. False with `error` set
  // when the drive cannot come up (no pty, link path taken, log not writable).
  bool start(std::string* error = nullptr);
  // Stops serving, closes the pty and removes the link. Safe to call twice.
  void stop();
  bool running() const { return thread_.joinable(); }

  const SimOptions& options() const { return options_; }
  // The slave path the program opens ("" while unplugged).
  std::string portPath() const;
  // Counts pty openings: 1 after start, +1 on every replug.
  int plugCount() const;
  // Called on the serving thread with the new slave path after a replug, and with "" when
  // the line is unplugged.
  void onPortChanged(std::function<void(const std::string&)> callback);

  // ---- Looking inside (all thread-safe) ----

  // A register as the line would read it; nullopt when the drive would refuse.
  std::optional<int> readRegister(int page, int address);
  // Sets a register, whatever the line would allow (a pinned display value stops moving).
  void setRegister(int page, int address, int value);
  // A stored word of the parameter memory by linear number (0 when it has none).
  int storedWord(int linear) const;
  bool setStoredWord(int linear, int value);
  // A parameter's raw value, 32-bit items from both words: stored, and running.
  std::optional<std::int32_t> storedParameter(const std::string& code) const;
  std::optional<std::int32_t> liveParameter(const std::string& code);
  // Stores a raw value and makes it the running one, as if set before power-on.
  bool setParameter(const std::string& code, std::int32_t raw);
  // Power cycle: every parameter's working register takes its stored value again.
  void powerCycle();
  AlarmHistory::Codes alarms() const;
  void setAlarms(const AlarmHistory::Codes& codes);

  // A drive of a bus (--stations) by its station; null when there is none. Every look inside
  // above is at the first drive.
  DriveEngine* stationDrive(int station);

  std::vector<LogEntry> requestLog() const { return log_.entries(); }
  int count(RequestKind kind) const { return log_.count(kind); }
  int requestCount() const { return log_.total(); }
  void clearLog() { log_.clear(); }
  // New faults from the next request on; the draws restart from the seed.
  void setFaults(const FaultPlan& faults);

  // The trace function: records lost in Monitor mode by the present (or last) capture; the
  // port refusing the trace stream with '#'; the next `n` trace block replies spoilt by one
  // broken record.
  long traceOverruns() const;
  void setTracePortRefused(bool refused);
  void spoilTraceBlocks(int n);

 private:
  void saveState();

  SimOptions options_;
  std::unique_ptr<DriveBus> drives_;
  DriveEngine* engine_;  // the first drive: the one a lone drive is, and the one looked into
  RequestLog log_;
  std::unique_ptr<LineServer> server_;
  std::thread thread_;
  std::uint64_t savedRevision_ = 0;
  bool stateInUse_ = false;
};

}  // namespace zavo::sim
