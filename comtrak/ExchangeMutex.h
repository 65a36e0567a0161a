#pragma once
// The port's exchange mutex. It behaves like the mutex the port contract was written for:
// owned by one thread, recursive for its owner, and released explicitly with `release`,
// which a thread that does not own it cannot do (it gets false instead of undefined behaviour).

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace comtrak {

class ExchangeMutex {
 public:
  void lock();
  // Waits at most `timeout`; returns true when the calling thread now owns the mutex.
  bool tryLockFor(std::chrono::milliseconds timeout);
  // Releases one level of ownership; false when the calling thread does not own it.
  bool release();
  bool ownedByCaller() const;

 private:
  mutable std::mutex m_;
  std::condition_variable freed_;
  std::thread::id owner_{};
  unsigned depth_ = 0;
};

}  // namespace comtrak
