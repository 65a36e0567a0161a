#include "sim/MotionModel.h"

#include <cmath>
#include <numbers>

namespace zavo::sim {
namespace {

// splitmix64: a well-mixed hash, so neighbouring steps and seeds give unrelated values.
std::uint64_t mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// Uniform in [0, 1) from a hash.
double unit(std::uint64_t h) { return static_cast<double>(h >> 11) * 0x1.0p-53; }

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kMsPerMinute = 60000;
constexpr double kRippleShare = 0.004;  // of the amplitude: encoder and current noise
constexpr double kCommandLeadMs = 8;     // the command runs this far ahead of the motor
constexpr double kFollowingErrorMs = 2;  // position lag of the feedback
constexpr double kBusVolts = 310;
constexpr double kBusRippleVolts = 1.5;

}  // namespace

MotionModel::MotionModel(std::uint64_t seed) : seed_(seed) {
  // The seed picks the profile: 400-1600 rpm swings lasting 4-10 s.
  amplitudeRpm_ = 400 + 1200 * unit(mix(seed ^ 0x1));
  periodMs_ = 4000 + 6000 * unit(mix(seed ^ 0x2));
  phase_ = kTwoPi * unit(mix(seed ^ 0x3));
  inertiaPercent_ = 30 + 20 * unit(mix(seed ^ 0x4));
  frictionPercent_ = 3 + 5 * unit(mix(seed ^ 0x5));
}

double MotionModel::ripple(std::int64_t step) const {
  return 2 * unit(mix(seed_ ^ mix(static_cast<std::uint64_t>(step)))) - 1;
}

MotionSample MotionModel::at(double ms) const {
  const double w = kTwoPi / periodMs_;  // radians per ms
  const auto step = static_cast<std::int64_t>(std::floor(ms));
  const double noise = ripple(step);

  MotionSample s;
  const double smooth = amplitudeRpm_ * std::sin(w * ms + phase_);
  s.speedRpm = smooth + kRippleShare * amplitudeRpm_ * noise;
  s.speedCommandRpm = amplitudeRpm_ * std::sin(w * (ms + kCommandLeadMs) + phase_);

  // Torque = inertia × acceleration + friction against the motion, plus a little noise.
  const double accelRpmPerMs = amplitudeRpm_ * w * std::cos(w * ms + phase_);
  const double friction = smooth == 0 ? 0 : std::copysign(frictionPercent_, smooth);
  s.torquePercent = inertiaPercent_ * accelRpmPerMs + friction + 0.5 * noise;

  // Position: the integral of the smooth speed from power-on, in encoder counts.
  const auto revolutionsAt = [&](double t) {
    return amplitudeRpm_ / kMsPerMinute * (std::cos(phase_) - std::cos(w * t + phase_)) / w;
  };
  s.positionPulses = revolutionsAt(ms - kFollowingErrorMs) * kCountsPerRevolution;
  s.commandPulses = revolutionsAt(ms) * kCountsPerRevolution;
  s.busVolts = kBusVolts + kBusRippleVolts * noise;
  return s;
}

}  // namespace zavo::sim
