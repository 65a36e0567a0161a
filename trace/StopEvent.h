#pragma once
// The event that asks the worker to end: set by the stopping side, polled by the worker
// between exchanges (it never waits on it), reset once the worker has gone.

#include <atomic>

namespace zavo::trace {

class StopEvent {
 public:
  void set() { set_.store(true, std::memory_order_release); }
  void reset() { set_.store(false, std::memory_order_release); }
  bool isSet() const { return set_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> set_{false};
};

}  // namespace zavo::trace
