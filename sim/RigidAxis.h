#pragma once
// The mechanics behind the virtual drive's motor: one rigid body (motor and load on a stiff
// shaft) driven by the motor torque against Coulomb and viscous friction. SI units inside:
// kg·m², N·m, rad, rad/s.
//
// The motor side is what the drive measures (motorSpeed, motorPosition). A compliant load
// (a second mass on a spring) would sit behind the same accessors and add its own.

namespace zavo::sim {

struct AxisParameters {
  double motorInertiaKgCm2 = 0.34;
  double inertiaRatio = 3;         // load inertia / motor inertia
  double coulombPercent = 2;       // of rated torque, against the motion
  double viscousPercent = 1;       // of rated torque per 1000 rpm
  double ratedTorqueNm = 1.27;     // 0.4 kW at 3000 rpm
};

class RigidAxis {
 public:
  explicit RigidAxis(const AxisParameters& p);

  // Advances by `dt` seconds under the motor torque `torqueNm` (semi-implicit Euler). A shaft
  // at rest stays at rest while the torque cannot overcome the Coulomb friction, and a
  // turning one that friction brings to a stop within the step stops rather than reverses.
  void step(double torqueNm, double dt);

  double motorSpeed() const { return speed_; }        // rad/s
  double motorPosition() const { return position_; }  // rad since power-on
  double totalInertia() const { return inertia_; }    // kg·m²
  double coulombNm() const { return coulomb_; }
  double viscousNmPerRadS() const { return viscous_; }
  double ratedTorqueNm() const { return ratedTorque_; }

  // Puts the shaft at a state (a drive catching up after a long idle re-synchronises).
  void place(double position, double speed) {
    position_ = position;
    speed_ = speed;
  }

 private:
  double inertia_;
  double coulomb_;
  double viscous_;
  double ratedTorque_;
  double speed_ = 0;
  double position_ = 0;
};

// Unit helpers the mechanics and the drive's firmware share.
inline constexpr double kKgCm2 = 1e-4;  // kg·m² per kg·cm²
double rpmToRadS(double rpm);
double radSToRpm(double radS);

}  // namespace zavo::sim
