#pragma once
// What the worker and the trace window share, kept by the view for as long as it lives: the
// exchange mutex and the record queue it guards, and the few flags both sides look at.

#include <atomic>
#include <mutex>

#include "trace/RecordQueue.h"

namespace zavo::trace {

struct TraceExchange {
  std::mutex mutex;  // the view's exchange mutex: guards the queue, never a drive exchange
  RecordQueue queue{mutex};
  std::atomic<bool> newData{false};   // set after each half the worker has read
  std::atomic<int> half{0};           // the half of the trace memory read next (0 or 1)
  std::atomic<bool> readBack{false};  // read the capture the drive holds instead of a new one
};

}  // namespace zavo::trace
