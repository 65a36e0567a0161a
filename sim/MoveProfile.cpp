#include "sim/MoveProfile.h"

#include <algorithm>
#include <cmath>

namespace zavo::sim {
namespace {

constexpr double kMsPerS = 1000;
constexpr double kMsPerMinute = 60000;

// One move of `revs` as speed against time: a trapezoid, or a triangle when the travel ends
// before the top speed is reached.
struct Move {
  double top = 0;     // rpm reached
  double rampMs = 0;  // each ramp
  double holdMs = 0;  // at top speed

  Move(double speedRpm, double accelRpmS, double revs) {
    const double accelPerMs = accelRpmS / kMsPerS;
    const double rampTo = [&] {
      // Travel of both ramps at full speed: speed²/accel (in revs, speed in rpm, time in min).
      const double rampsRevs = speedRpm * speedRpm / (accelRpmS * 60);
      return rampsRevs <= revs ? speedRpm : std::sqrt(revs * accelRpmS * 60);
    }();
    top = rampTo;
    rampMs = top / accelPerMs;
    const double rampsRevs = top * rampMs / kMsPerMinute;  // both ramps together
    holdMs = std::max(0.0, (revs - rampsRevs) / top * kMsPerMinute);
  }
  double durationMs() const { return 2 * rampMs + holdMs; }
  double at(double t) const {
    if (t < rampMs) return top * t / rampMs;
    if (t < rampMs + holdMs) return top;
    return std::max(0.0, top * (durationMs() - t) / rampMs);
  }
};

}  // namespace

SpeedProfile backAndForth(const Moves& m, double maxMs, double& durationMs) {
  const double speed = std::max(1.0, std::fabs(m.speedRpm));
  const double accel = std::max(1.0, m.accelRpmS);
  const Move full(speed, accel, std::max(1e-3, m.travelRevs));
  const Move first = m.fromMiddle ? Move(speed, accel, std::max(1e-3, m.travelRevs / 2)) : full;
  const double firstPeriod = first.durationMs() + m.dwellMs;
  const double period = full.durationMs() + m.dwellMs;
  const double more = std::floor(std::max(0.0, maxMs - firstPeriod) / period);
  durationMs = firstPeriod + more * period;
  return [=](double t) {
    if (t < 0 || t >= durationMs) return 0.0;
    if (t < firstPeriod) return m.firstSign * first.at(t);
    const double since = t - firstPeriod;
    const auto n = static_cast<long>(since / period);
    // The first move went one way; every following one turns back.
    const int sign = (n % 2 == 0) ? -m.firstSign : m.firstSign;
    return sign * full.at(since - static_cast<double>(n) * period);
  };
}

Plateaus plateaus(const std::vector<double>& speedsRpm, double holdMs, double accelRpmS) {
  const double accelPerMs = std::max(1.0, accelRpmS) / kMsPerS;
  // Segments of (start, ramp end, hold end, from, to).
  struct Segment {
    double start, rampEnd, holdEnd, from, to;
  };
  std::vector<Segment> segments;
  Plateaus p;
  double t = 0, previous = 0;
  for (const double target : speedsRpm) {
    const double rampEnd = t + std::fabs(target - previous) / accelPerMs;
    segments.push_back({t, rampEnd, rampEnd + holdMs, previous, target});
    p.holdEndsMs.push_back(rampEnd + holdMs);
    t = rampEnd + holdMs;
    previous = target;
  }
  const double stopEnd = t + std::fabs(previous) / accelPerMs;
  segments.push_back({t, stopEnd, stopEnd, previous, 0});
  p.durationMs = stopEnd;
  p.profile = [segments](double at) {
    for (const Segment& s : segments) {
      if (at < s.start || at >= s.holdEnd) continue;
      if (at >= s.rampEnd) return s.to;
      return s.from + (s.to - s.from) * (at - s.start) / (s.rampEnd - s.start);
    }
    return 0.0;
  };
  return p;
}

SpeedProfile trapezoids(double speedRpm, double accelRpmS, double holdMs) {
  const double rampMs = std::fabs(speedRpm) / (accelRpmS / kMsPerS);
  const double half = 2 * rampMs + 2 * holdMs;  // up, hold, down, rest
  return [=](double t) {
    if (t < 0) return 0.0;
    const double phase = std::fmod(t, 2 * half);
    const double sign = phase < half ? 1.0 : -1.0;
    const double p = std::fmod(phase, half);
    double v = 0;
    if (p < rampMs) v = speedRpm * p / rampMs;
    else if (p < rampMs + holdMs) v = speedRpm;
    else if (p < 2 * rampMs + holdMs) v = speedRpm * (2 * rampMs + holdMs - p) / rampMs;
    return sign * v;
  };
}

}  // namespace zavo::sim
