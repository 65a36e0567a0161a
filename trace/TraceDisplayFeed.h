#pragma once
// The trace window's display timers as consumers of the record queue: each tick moves what
// the worker has handed over into the four display buffers and says what the window does
// next. Which timer runs follows the capture: the 50 ms roll in Monitor mode, the 100 ms
// record timers otherwise, and for a read-back one take of everything the worker read.
//
//   TraceDisplayFeed feed(exchange.queue, buffers);
//   feed.begin(settings, readBack);                 // after the worker started
//   every feed.interval() ms: act on feed.tick(workerEnded, elapsedMs)

#include <array>
#include <cstdint>
#include <vector>

#include "trace/RecordQueue.h"
#include "trace/TraceSettings.h"

namespace zavo::trace {

using DisplayBuffers = std::array<std::vector<std::int32_t>, kChannelCount>;

// What a tick asks of the window.
enum class FeedStep {
  Wait,           // nothing new
  Redraw,         // new samples are shown
  StopCapture,    // redraw, then stop the capture as STOP does
  StopReadBack,   // redraw, then turn the read-back off
};

// Records the roll moves in one tick: b = 10 / interval for intervals up to 10, else 1;
// with more than b pending only min(b, n / 10 when n > e, else e / 10).
std::size_t rollBudget(int interval, std::size_t pending, double elapsedMs);

class TraceDisplayFeed {
 public:
  TraceDisplayFeed(RecordQueue& queue, DisplayBuffers& buffers) : queue_(queue), buffers_(buffers) {}

  // Chooses the timer for a capture (or read-back) of `s` that has just started.
  void begin(const TraceSettings& s, bool readBack);
  // The timer that runs now (0 when none), and its period.
  int timerId() const { return timerId_; }
  int intervalMs() const;

  // One tick of the running timer; `elapsedMs` is the time since the last tick (the roll
  // uses it). A step other than Wait and Redraw ends the feed.
  FeedStep tick(bool workerEnded, double elapsedMs);
  void end() { timerId_ = 0; }

 private:
  FeedStep roll(double elapsedMs);
  FeedStep takeWhenEnded(bool workerEnded);
  FeedStep takeRecord(bool workerEnded);
  bool moveRecord();
  void moveFromStart(const std::vector<TraceRecord>& records);

  RecordQueue& queue_;
  DisplayBuffers& buffers_;
  int timerId_ = 0;
  int interval_ = 1;
  int points_ = 0;
  bool triggered_ = false;
  bool readBack_ = false;
  TraceMode mode_ = TraceMode::Single;
};

}  // namespace zavo::trace
