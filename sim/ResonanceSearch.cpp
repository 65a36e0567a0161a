#include "sim/ResonanceSearch.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zavo::sim {
namespace {

constexpr double kLowHz = 100, kHighHz = 2000, kStepHz = 10;
constexpr int kNeighbourhood = 10;      // bins each side that make the floor
constexpr double kThresholdScale = 2000;  // peak / floor needed = this / sensitivity
constexpr int kMinSensitivity = 1;
constexpr double kMsPerS = 1000;

// Power of `x` at `hz` (Goertzel), samples `dt` seconds apart.
double power(const std::vector<double>& x, double hz, double dt) {
  const double w = 2 * std::numbers::pi * hz * dt;
  const double c = 2 * std::cos(w);
  double s1 = 0, s2 = 0;
  for (const double v : x) {
    const double s0 = v + c * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - c * s1 * s2;
}

}  // namespace

ResonanceFound findResonances(std::span<const AxisSample> samples, int sensitivity) {
  ResonanceFound found;
  if (samples.size() < 2) return found;
  const double dt = (samples[1].ms - samples[0].ms) / kMsPerS;
  // The torque without its slow part (the moves themselves): each sample less the mean of a
  // window of 5 ms around it.
  std::vector<double> torque;
  torque.reserve(samples.size());
  for (const AxisSample& s : samples) torque.push_back(s.torqueNm);
  const auto half = static_cast<std::size_t>(0.0025 / dt);
  std::vector<double> fast(torque.size());
  double sum = 0;
  for (std::size_t i = 0; i < torque.size(); ++i) {
    sum += torque[i];
    if (i > 2 * half) sum -= torque[i - 2 * half - 1];
    const std::size_t n = std::min(i + 1, 2 * half + 1);
    if (i >= half) fast[i - half] = torque[i - half] - sum / static_cast<double>(n);
  }

  std::vector<double> p;
  for (double hz = kLowHz; hz <= kHighHz; hz += kStepHz) p.push_back(power(fast, hz, dt));
  const double threshold = kThresholdScale / std::max(kMinSensitivity, sensitivity);
  std::vector<std::pair<double, int>> peaks;  // (power, Hz)
  const int bins = static_cast<int>(p.size());
  for (int i = 1; i + 1 < bins; ++i) {
    if (p[i] <= p[i - 1] || p[i] <= p[i + 1]) continue;
    std::vector<double> around;
    for (int j = std::max(0, i - kNeighbourhood); j <= std::min(bins - 1, i + kNeighbourhood); ++j)
      if (std::abs(j - i) > 1) around.push_back(p[j]);
    std::nth_element(around.begin(), around.begin() + static_cast<long>(around.size() / 2), around.end());
    const double floor = around[around.size() / 2];
    if (p[i] > threshold * floor) peaks.emplace_back(p[i], static_cast<int>(kLowHz + i * kStepHz));
  }
  std::sort(peaks.rbegin(), peaks.rend());
  int* slots[] = {&found.first, &found.second, &found.third};
  for (std::size_t i = 0; i < peaks.size() && i < 3; ++i) *slots[i] = peaks[i].second;
  return found;
}

}  // namespace zavo::sim
