#include "trace/TraceDisplayFeed.h"

#include <algorithm>

#include "trace/TraceProtocol.h"

namespace zavo::trace {
namespace {

constexpr int kRollMs = 50;
constexpr int kRecordMs = 100;
constexpr int kRollRecordsAtOne = 10;  // records a roll tick may move at interval 1
constexpr int kRollShare = 10;         // a backlog is worked off a tenth a tick

}  // namespace

std::size_t rollBudget(int interval, std::size_t pending, double elapsedMs) {
  const auto b = static_cast<std::size_t>(interval >= 1 && interval <= kRollRecordsAtOne ? kRollRecordsAtOne / interval : 1);
  if (pending <= b) return pending;
  const auto e = static_cast<std::size_t>(std::max(0.0, elapsedMs));
  return std::min(b, pending > e ? pending / kRollShare : e / kRollShare);
}

void TraceDisplayFeed::begin(const TraceSettings& s, bool readBack) {
  interval_ = s.interval;
  points_ = s.pointsPerLine();
  triggered_ = s.triggered();
  readBack_ = readBack;
  mode_ = s.traceMode();
  // A read-back brings what the drive holds at once (a Monitor read-back less than a line):
  // it is shown when the worker is done, whatever the mode.
  if (readBack)
    timerId_ = kSingleTimerId;
  else if (mode_ == TraceMode::Monitor)
    timerId_ = kRollTimerId;
  else if (mode_ == TraceMode::Single && !triggered_)
    timerId_ = kSingleTimerId;
  else
    timerId_ = kRecordTimerId;
}

int TraceDisplayFeed::intervalMs() const { return timerId_ == kRollTimerId ? kRollMs : kRecordMs; }

FeedStep TraceDisplayFeed::tick(bool workerEnded, double elapsedMs) {
  switch (timerId_) {
    case kRollTimerId: return roll(elapsedMs);
    case kSingleTimerId: return takeWhenEnded(workerEnded);
    case kRecordTimerId:
    case kCycleTimerId: return takeRecord(workerEnded);
    default: return FeedStep::Wait;
  }
}

FeedStep TraceDisplayFeed::roll(double elapsedMs) {
  const auto records = queue_.take(rollBudget(interval_, queue_.pending(), elapsedMs));
  if (records.empty()) return FeedStep::Wait;
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    auto& b = buffers_[c];
    const std::size_t n = std::min(records.size(), b.size());
    // The line rolls: the oldest points leave on the left, the new ones enter on the right.
    b.erase(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
    for (std::size_t k = records.size() - n; k < records.size(); ++k) b.push_back(records[k].values[c]);
  }
  return FeedStep::Redraw;
}

FeedStep TraceDisplayFeed::takeWhenEnded(bool workerEnded) {
  if (!workerEnded) return FeedStep::Wait;
  moveFromStart(queue_.takeAll());
  end();
  return readBack_ ? FeedStep::StopReadBack : FeedStep::StopCapture;
}

FeedStep TraceDisplayFeed::takeRecord(bool workerEnded) {
  const bool moved = moveRecord();
  if (timerId_ == kCycleTimerId) {
    if (!workerEnded) return moved ? FeedStep::Redraw : FeedStep::Wait;
    end();
    return FeedStep::StopCapture;
  }
  if (!moved) return FeedStep::Wait;
  if (!triggered_) {
    timerId_ = kCycleTimerId;
    return FeedStep::Redraw;
  }
  if (mode_ == TraceMode::Single) {
    end();
    return FeedStep::StopCapture;
  }
  return FeedStep::Redraw;
}

bool TraceDisplayFeed::moveRecord() {
  const auto record = queue_.takeExactly(kRecordsPerCapture);
  if (record.empty()) return false;
  moveFromStart(record);
  return true;
}

void TraceDisplayFeed::moveFromStart(const std::vector<TraceRecord>& records) {
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    auto& b = buffers_[c];
    b.assign(std::max(static_cast<std::size_t>(points_), records.size()), 0);
    for (std::size_t k = 0; k < records.size(); ++k) b[k] = records[k].values[c];
  }
}

}  // namespace zavo::trace
