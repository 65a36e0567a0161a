#pragma once
// The records the worker hands to the display: whole records (the record's index within its
// half and the four converted values) in the order they are to be shown. Its length is the
// count of records pending for the display, so the two can never disagree.
//
// The queue does not own its lock: it is guarded by the view's exchange mutex, which it is
// given, and every member takes that mutex for the time of one call. The worker appends, the
// display takes from the front; neither holds the mutex during a drive exchange.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "trace/TraceSettings.h"

namespace zavo::trace {

struct TraceRecord {
  std::int32_t index = 0;  // the record's index within its half, as the drive numbered it
  std::array<std::int32_t, kChannelCount> values{};
  friend bool operator==(const TraceRecord&, const TraceRecord&) = default;
};

class RecordQueue {
 public:
  explicit RecordQueue(std::mutex& exchangeMutex) : m_(exchangeMutex) {}
  RecordQueue(const RecordQueue&) = delete;
  RecordQueue& operator=(const RecordQueue&) = delete;

  void append(const TraceRecord& r);
  // A re-ordered capture replaces whatever was pending.
  void replace(std::vector<TraceRecord> records);
  void clear();

  // Records appended and not yet taken.
  std::size_t pending() const;
  // Up to `n` records from the front.
  std::vector<TraceRecord> take(std::size_t n);
  std::vector<TraceRecord> takeAll();
  // Exactly `n` records from the front, or none while fewer are pending (a record taken
  // whole, even while the worker empties the queue for the next one).
  std::vector<TraceRecord> takeExactly(std::size_t n);

 private:
  std::vector<TraceRecord> takeFront(std::size_t n);  // the mutex held

  std::mutex& m_;
  std::deque<TraceRecord> records_;
};

}  // namespace zavo::trace
