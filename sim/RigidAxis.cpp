#include "sim/RigidAxis.h"

#include <cmath>
#include <numbers>

namespace zavo::sim {
namespace {
constexpr double kRadSPerRpm = 2 * std::numbers::pi / 60;
constexpr double kRpmPerThousand = 1000;
constexpr double kPercent = 100;
}  // namespace

double rpmToRadS(double rpm) { return rpm * kRadSPerRpm; }
double radSToRpm(double radS) { return radS / kRadSPerRpm; }

RigidAxis::RigidAxis(const AxisParameters& p)
    : inertia_(p.motorInertiaKgCm2 * kKgCm2 * (1 + p.inertiaRatio)),
      coulomb_(p.coulombPercent / kPercent * p.ratedTorqueNm),
      viscous_(p.viscousPercent / kPercent * p.ratedTorqueNm / rpmToRadS(kRpmPerThousand)),
      ratedTorque_(p.ratedTorqueNm) {}

void RigidAxis::step(double torqueNm, double dt) {
  if (speed_ == 0) {
    // Static friction holds the shaft until the torque exceeds it.
    if (std::fabs(torqueNm) <= coulomb_) return;
    speed_ = (torqueNm - std::copysign(coulomb_, torqueNm)) / inertia_ * dt;
  } else {
    const double friction = std::copysign(coulomb_, speed_) + viscous_ * speed_;
    const double next = speed_ + (torqueNm - friction) / inertia_ * dt;
    // Friction alone never reverses the shaft: a sign change it caused is a stop.
    const bool frictionStopped = (next > 0) != (speed_ > 0) && std::fabs(torqueNm) <= coulomb_;
    speed_ = frictionStopped ? 0 : next;
  }
  position_ += speed_ * dt;
}

}  // namespace zavo::sim
