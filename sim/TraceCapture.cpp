#include "sim/TraceCapture.h"

#include <algorithm>
#include <cmath>

namespace zavo::sim {
namespace {

using trace::TraceMode;
using trace::TriggerEdge;

constexpr double kTimeSlack = 1e-9;  // a sample due exactly now counts as due
constexpr int kPercent = 100;

}  // namespace

void TraceCapture::start(double ms, const Setup& setup, const TraceSignals::Terminals& terminals) {
  setup_ = setup;
  terminals_ = terminals;
  running_ = true;
  complete_ = false;
  events_ = 0;
  ringPosition_ = 0;
  overruns_ = 0;
  fillHalf_ = 0;
  held_.clear();
  startFill(ms);
}

void TraceCapture::startFill(double ms) {
  filling_ = true;
  t0_ = ms;
  next_ = 0;
  count_ = 0;
  triggered_ = false;
  havePrevious_ = false;
  signals_.restart(terminals_);
}

void TraceCapture::stop() {
  running_ = false;
  filling_ = false;
  events_ = 0;
  held_.clear();
}

void TraceCapture::handBack(double ms) {
  if (!running_) return;
  if (mode() == TraceMode::Monitor) {
    if (!held_.empty()) held_.pop_front();
  } else if (mode() == TraceMode::Cycle && !filling_) {
    startFill(ms);
  }
}

bool TraceCapture::capturing() const { return running_ && !complete_; }

bool TraceCapture::takeEvent() {
  if (events_ == 0) return false;
  --events_;
  return true;
}

int TraceCapture::recordsPerHalf() const {
  return mode() == TraceMode::Monitor ? trace::kMonitorRecordsPerHalf : trace::kRecordsPerHalf;
}

const TraceCapture::Words& TraceCapture::record(int half, int r) const {
  return memory_[static_cast<std::size_t>(half & 1)][static_cast<std::size_t>(std::clamp(r, 0, trace::kRecordsPerHalf - 1))];
}

TraceMode TraceCapture::mode() const { return static_cast<TraceMode>(setup_.mode); }

bool TraceCapture::blocked() const {
  return mode() == TraceMode::Monitor && std::find(held_.begin(), held_.end(), fillHalf_) != held_.end();
}

void TraceCapture::advance(double ms) {
  const double period = setup_.periodMs;
  while (running_ && filling_) {
    const double t = t0_ + static_cast<double>(next_) * period;
    if (t > ms + kTimeSlack) return;
    if (blocked()) {
      // Everything due until now is lost; the memory takes samples again once a half is back.
      const auto last = static_cast<long long>(std::floor((ms - t0_) / period + kTimeSlack));
      overruns_ += last - next_ + 1;
      next_ = last + 1;
      return;
    }
    take(t);
    ++next_;
  }
}

void TraceCapture::take(double t) {
  signals_.sampleAt(t);
  Words w{};
  for (std::size_t c = 0; c < w.size(); ++c) w[c] = signals_.raw(setup_.sources[c]);
  if (mode() == TraceMode::Monitor) return storeMonitor(w);
  if (setup_.triggerChannel >= 1 && setup_.triggerChannel <= trace::kChannelCount) return storeRing(w);
  storeLinear(w);
}

void TraceCapture::put(int slot, const Words& w) {
  memory_[static_cast<std::size_t>(slot / trace::kRecordsPerHalf)][static_cast<std::size_t>(slot % trace::kRecordsPerHalf)] = w;
}

void TraceCapture::storeLinear(const Words& w) {
  put(count_++, w);
  const bool cycle = mode() == TraceMode::Cycle;
  if (cycle && count_ == trace::kRecordsPerHalf) ++events_;
  if (count_ == trace::kRecordsPerCapture) finishRecord(1);
}

void TraceCapture::storeRing(const Words& w) {
  const int slot = count_ % trace::kRecordsPerCapture;
  put(slot, w);
  const auto channel = static_cast<std::size_t>(setup_.triggerChannel - 1);
  const int now = signals_.shown(setup_.sources[channel], w[channel]);
  const int pre = trace::kRecordsPerCapture * setup_.triggerPosition / kPercent;
  if (!triggered_) {
    if (count_ >= pre && havePrevious_ && qualifies(previous_, now)) {
      triggered_ = true;
      triggerSlot_ = slot;
      remaining_ = trace::kRecordsPerCapture - pre - 1;
    }
  } else {
    --remaining_;
  }
  previous_ = now;
  havePrevious_ = true;
  ++count_;
  if (triggered_ && remaining_ == 0) {
    ringPosition_ = (triggerSlot_ - pre + trace::kRecordsPerCapture) % trace::kRecordsPerCapture;
    finishRecord(mode() == TraceMode::Cycle ? trace::kHalves : 1);
  }
}

void TraceCapture::storeMonitor(const Words& w) {
  memory_[static_cast<std::size_t>(fillHalf_)][static_cast<std::size_t>(count_)] = w;
  if (++count_ < trace::kMonitorRecordsPerHalf) return;
  ++events_;
  held_.push_back(fillHalf_);
  fillHalf_ ^= 1;
  count_ = 0;
}

void TraceCapture::finishRecord(int events) {
  filling_ = false;
  events_ += events;
  if (mode() == TraceMode::Single) complete_ = true;
}

bool TraceCapture::qualifies(int previous, int now) const {
  const int level = setup_.triggerLevel;
  const bool rise = previous < level && level <= now;
  const bool fall = previous > level && level >= now;
  switch (static_cast<TriggerEdge>(setup_.edge)) {
    case TriggerEdge::Rise: return rise;
    case TriggerEdge::Fall: return fall;
    case TriggerEdge::Both: return rise || fall;
  }
  return false;
}

}  // namespace zavo::sim
