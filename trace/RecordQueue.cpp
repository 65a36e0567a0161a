#include "trace/RecordQueue.h"

#include <algorithm>
#include <iterator>

namespace zavo::trace {

void RecordQueue::append(const TraceRecord& r) {
  std::lock_guard lk(m_);
  records_.push_back(r);
}

void RecordQueue::replace(std::vector<TraceRecord> records) {
  std::deque<TraceRecord> fresh(std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
  std::lock_guard lk(m_);
  records_.swap(fresh);
}

void RecordQueue::clear() {
  std::deque<TraceRecord> gone;
  std::lock_guard lk(m_);
  records_.swap(gone);
}

std::size_t RecordQueue::pending() const {
  std::lock_guard lk(m_);
  return records_.size();
}

std::vector<TraceRecord> RecordQueue::takeFront(std::size_t n) {
  const auto end = records_.begin() + static_cast<std::ptrdiff_t>(std::min(n, records_.size()));
  std::vector<TraceRecord> out(records_.begin(), end);
  records_.erase(records_.begin(), end);
  return out;
}

std::vector<TraceRecord> RecordQueue::take(std::size_t n) {
  std::lock_guard lk(m_);
  return takeFront(n);
}

std::vector<TraceRecord> RecordQueue::takeExactly(std::size_t n) {
  std::lock_guard lk(m_);
  return records_.size() < n ? std::vector<TraceRecord>{} : takeFront(n);
}

std::vector<TraceRecord> RecordQueue::takeAll() { return take(static_cast<std::size_t>(-1)); }

}  // namespace zavo::trace
