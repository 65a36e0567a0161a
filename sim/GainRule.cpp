#include "sim/GainRule.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zavo::sim {
namespace {

constexpr double kPercent = 100;
constexpr double kIntegralUnitS = 0.2e-3;  // Sn212
constexpr double kIntegralCycles = 4;      // ωc·Ti at no suppression
constexpr int kMinBandwidth = 10, kMaxBandwidth = 4500;
constexpr int kMinIntegral = 1, kMaxIntegral = 5000;
constexpr int kMinPosition = 1, kMaxPosition = 1000;
constexpr double kGainScale = 16384;
constexpr double kCurrentTimeUnitS = 10e-6;  // C9D

int rounded(double v, int lo, int hi) { return std::clamp(static_cast<int>(std::lround(v)), lo, hi); }

}  // namespace

SpeedGains speedGains(double bandwidthHz, double suppressionPercent, double positionSharePercent) {
  SpeedGains g;
  g.bandwidthHz = rounded(bandwidthHz, kMinBandwidth, kMaxBandwidth);
  const double wc = 2 * std::numbers::pi * g.bandwidthHz;
  const double ti = kIntegralCycles * (1 + suppressionPercent / kPercent) / wc;
  g.integral = rounded(ti / kIntegralUnitS, kMinIntegral, kMaxIntegral);
  g.position = rounded(wc * positionSharePercent / kPercent, kMinPosition, kMaxPosition);
  return g;
}

CurrentGains currentGains(double inductanceH, double resistanceOhm, double bandwidthHz, const Windings& base) {
  CurrentGains g;
  if (inductanceH <= 0 || resistanceOhm <= 0) return g;
  const double kp = inductanceH * 2 * std::numbers::pi * bandwidthHz;  // V/A
  const double perUnit = kp * base.ratedCurrentA * std::numbers::sqrt2 / (kBusVolts / 2);
  g.gain = rounded(perUnit * kGainScale, 0, 0xFFFF);
  g.integralTime = rounded(inductanceH / resistanceOhm / kCurrentTimeUnitS, 0, 0xFFFF);
  return g;
}

}  // namespace zavo::sim
