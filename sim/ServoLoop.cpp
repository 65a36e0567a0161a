#include "sim/ServoLoop.h"

#include <algorithm>
#include <numbers>

namespace zavo::sim {
namespace {
constexpr double kPercent = 100;
constexpr double kMsPerS = 1000;
constexpr double kMinIntegralS = 1e-4;
}  // namespace

ServoLoop::ServoLoop(double motorInertiaKgM2, double ratedTorqueNm)
    : motorInertia_(motorInertiaKgM2), ratedTorque_(ratedTorqueNm) {
  configure(settings_);
}

void ServoLoop::configure(const LoopSettings& s) {
  settings_ = s;
  const double assumedInertia = motorInertia_ * (1 + std::max(0.0, s.assumedInertiaRatio));
  kp_ = 2 * std::numbers::pi * s.speedBandwidthHz * assumedInertia;
  ti_ = std::max(kMinIntegralS, s.integralMs / kMsPerS);
  ccwLimit_ = std::max(0.0, s.torqueLimitCcwPercent) / kPercent * ratedTorque_;
  cwLimit_ = std::min(0.0, s.torqueLimitCwPercent) / kPercent * ratedTorque_;
}

double ServoLoop::speedStep(double referenceRadS, double measuredRadS, double dt) {
  const double error = referenceRadS - measuredRadS;
  const double grown = integral_ + kp_ * error * dt / ti_;
  const double command = kp_ * error + grown;
  const double limited = std::clamp(command, cwLimit_, ccwLimit_);
  // Conditional integration: at a limit the integral only moves back towards the range.
  const bool windingUp = (command > ccwLimit_ && error > 0) || (command < cwLimit_ && error < 0);
  if (!windingUp) integral_ = std::clamp(grown, cwLimit_, ccwLimit_);
  return limited;
}

double ServoLoop::positionReference(double commandRad, double positionRad, double feedForwardRadS) const {
  return feedForwardRadS + settings_.positionGain * (commandRad - positionRad);
}

double ServoLoop::torqueStep(double commandNm, double dt) {
  torque_ += (commandNm - torque_) * dt / (kCurrentLagS + dt);
  return torque_;
}

void ServoLoop::reset() {
  integral_ = 0;
  torque_ = 0;
}

}  // namespace zavo::sim
