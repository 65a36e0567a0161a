#include "sim/AxisIdentification.h"

#include <cmath>

#include "sim/LeastSquares.h"

namespace zavo::sim {
namespace {
constexpr double kMsPerS = 1000;
constexpr double kMovingRadS = 2;  // about 20 rpm: below it the shaft may stick
}  // namespace

std::optional<AxisFit> fitAxis(std::span<const AxisSample> samples, double windowMs) {
  LeastSquares<3> ls;
  std::size_t begin = 0;
  while (begin < samples.size()) {
    std::size_t end = begin;
    double torque = 0, speed = 0, sign = 0;
    bool moving = true;
    const double dtWindow = windowMs;
    while (end + 1 < samples.size() && samples[end + 1].ms - samples[begin].ms <= dtWindow) {
      const AxisSample& s = samples[end + 1];
      const double dt = (s.ms - samples[end].ms) / kMsPerS;
      torque += s.torqueNm * dt;
      speed += s.speedRadS * dt;
      sign += (s.speedRadS > 0 ? 1.0 : -1.0) * dt;
      moving = moving && std::fabs(s.speedRadS) > kMovingRadS &&
               (s.speedRadS > 0) == (samples[begin].speedRadS > 0);
      ++end;
    }
    if (end == begin) break;
    if (moving && std::fabs(samples[begin].speedRadS) > kMovingRadS)
      ls.add({samples[end].speedRadS - samples[begin].speedRadS, speed, sign}, torque);
    begin = end;
  }
  const auto x = ls.solve();
  if (!x || (*x)[0] <= 0) return std::nullopt;
  return AxisFit{(*x)[0], (*x)[1], (*x)[2]};
}

SteadyState steadyState(std::span<const AxisSample> samples, double fromMs, double toMs) {
  SteadyState s;
  int n = 0;
  const AxisSample* first = nullptr;
  const AxisSample* last = nullptr;
  for (const AxisSample& a : samples) {
    if (a.ms < fromMs || a.ms > toMs) continue;
    if (!first) first = &a;
    last = &a;
    s.torqueNm += a.torqueNm;
    s.speedRadS += a.speedRadS;
    ++n;
  }
  if (n > 0) {
    s.torqueNm /= n;
    s.speedRadS /= n;
  }
  if (first && last != first) s.accelRadS2 = (last->speedRadS - first->speedRadS) / ((last->ms - first->ms) / kMsPerS);
  return s;
}

}  // namespace zavo::sim
