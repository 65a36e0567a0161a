#pragma once
// The drive's trace memory and how a capture fills it, on the drive's own clock: a sample
// every period from the moment the capture was started, taken from the signals when it is
// due (the memory is brought up to date whenever the line asks it anything).
//
//   Single   fills the 1024 records once;
//   Cycle    fills them, then waits until the program hands the record back;
//   Monitor  fills its two halves of 128 records in turn, each again once handed back; a
//            record due while both halves are held is lost, and counted.
//
// With a trigger, Single and Cycle fill a ring until the trigger sample has at least the
// pre-trigger share of the record before it, then fill up to 1024; the ring position then
// names the oldest record, so that in ring order the trigger sits at 1024 × position / 100.
//
// Ready events (read through 0x9F6): one per half in Cycle and Monitor, both at once for a
// triggered Cycle record, one per Single capture.

#include <array>
#include <cstdint>
#include <deque>

#include "sim/TraceSignals.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceSettings.h"

namespace zavo::sim {

class TraceCapture {
 public:
  struct Setup {
    int mode = 0;
    double periodMs = 0.1;
    std::array<int, trace::kChannelCount> sources{};
    int triggerChannel = 0;  // 0 none
    int triggerLevel = 0;    // signed, in the source's unit
    int edge = 0;
    int triggerPosition = 0;
  };
  using Words = std::array<std::uint16_t, trace::kChannelCount>;

  explicit TraceCapture(TraceSignals& signals) : signals_(signals) {}

  void start(double ms, const Setup& setup, const TraceSignals::Terminals& terminals);
  void stop();
  // 0x7D2 = 2: the record (Cycle) or the oldest held half (Monitor) goes back to the drive.
  void handBack(double ms);
  // Takes every sample due up to `ms`.
  void advance(double ms);

  bool capturing() const;
  // Takes one ready event: true when there was one.
  bool takeEvent();
  int ringPosition() const { return ringPosition_; }
  // Records lost in Monitor mode since the capture started.
  long overruns() const { return overruns_; }

  // The words of record `r` of half `half` as the memory holds them.
  const Words& record(int half, int r) const;
  int recordsPerHalf() const;

 private:
  trace::TraceMode mode() const;
  void startFill(double ms);
  void take(double t);
  void put(int slot, const Words& w);
  void storeLinear(const Words& w);
  void storeRing(const Words& w);
  void storeMonitor(const Words& w);
  bool qualifies(int previous, int now) const;
  void finishRecord(int events);
  bool blocked() const;

  TraceSignals& signals_;
  Setup setup_;
  TraceSignals::Terminals terminals_;
  bool running_ = false;
  bool filling_ = false;
  bool complete_ = false;  // a Single capture has its record
  double t0_ = 0;
  long long next_ = 0;  // samples taken or skipped since t0_
  int count_ = 0;       // samples of the present fill
  int events_ = 0;
  int ringPosition_ = 0;
  long overruns_ = 0;
  // Trigger search.
  bool triggered_ = false;
  bool havePrevious_ = false;
  int previous_ = 0;
  int triggerSlot_ = 0;
  int remaining_ = 0;
  // Monitor: the half being filled, and the halves held by the program, oldest first.
  int fillHalf_ = 0;
  std::deque<int> held_;
  std::array<std::array<Words, trace::kRecordsPerHalf>, trace::kHalves> memory_{};
};

}  // namespace zavo::sim
