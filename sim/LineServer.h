#pragma once
// The drive's serial line: reads the pty, cuts requests, lets the engine answer, applies the
// faults, keeps line time and writes the replies; pulls the plug and plugs in again when the
// faults say so. Runs on a thread of its own until stopped.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "sim/DriveBus.h"
#include "sim/FaultInjector.h"
#include "sim/LinePacer.h"
#include "sim/PseudoTerminal.h"
#include "sim/RequestFramer.h"
#include "sim/RequestLog.h"
#include "sim/SimOptions.h"

namespace zavo::sim {

class LineServer {
 public:
  using Clock = std::chrono::steady_clock;

  LineServer(const SimOptions& options, DriveBus& drives, RequestLog& log);
  ~LineServer();
  LineServer(const LineServer&) = delete;
  LineServer& operator=(const LineServer&) = delete;

  // Opens the first pty. False with `error` set when none can be had.
  bool open(std::string* error);
  // The serving loop; returns once `stop` was called.
  void run();
  void stop();
  void close();

  std::string portPath() const;
  int plugCount() const;
  void onPortChanged(std::function<void(const std::string&)> callback);
  // Called for every request once it is answered and before the reply leaves, on the serving
  // thread (the owner saves state there).
  void afterRequest(std::function<void()> callback);
  void setFaults(const FaultPlan& faults);

 private:
  bool plugIn(std::string* error);
  void unplug();
  void readLine(Clock::time_point now);
  void handle(const RequestFramer::Request& request);
  Bytes applyFaults(const RequestFramer::Request& request, Answer& answer, FaultDecision& decision);
  // Waits on the wake pipe at most `timeoutMs`; true when woken.
  bool sleepFor(int timeoutMs);
  // Waits until `until` unless stopped first; false when stopped.
  bool waitOrStop(Clock::time_point until);
  int pollTimeoutMs(Clock::time_point now) const;
  void notify(const std::string& path);
  FaultPlan faultPlan() const;

  const SimOptions options_;
  DriveBus& drives_;
  RequestLog& log_;
  RequestFramer framer_;
  LinePacer pacer_;
  Clock::time_point start_;

  mutable std::mutex m_;  // guards the pty identity, the faults, their count and the callbacks
  PseudoTerminal pty_;
  int plugs_ = 0;
  FaultInjector faults_;
  std::function<void(const std::string&)> portChanged_;
  std::function<void()> afterRequest_;

  int wake_[2] = {-1, -1};
  std::atomic<bool> stop_{false};
  long served_ = 0;  // requests since the faults were set
  bool unplugged_ = false;
  std::optional<Clock::time_point> unplugAt_;
  std::optional<Clock::time_point> replugAt_;
};

}  // namespace zavo::sim
