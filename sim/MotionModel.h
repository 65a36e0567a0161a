#pragma once
// The motor the virtual drive turns: a smooth speed that swings back and forth, a torque that
// follows the acceleration and the friction, and the position that the speed integrates to.
// A pure function of time and seed, so a run with the same --seed sees the same motion.

#include <cstdint>

namespace zavo::sim {

struct MotionSample {
  double speedRpm = 0;         // motor speed
  double speedCommandRpm = 0;  // what the speed loop is asked for (a little ahead)
  double torquePercent = 0;    // of rated torque
  double positionPulses = 0;   // feedback, encoder counts since power-on
  double commandPulses = 0;    // position command, counts since power-on
  double busVolts = 0;         // DC bus
};

class MotionModel {
 public:
  static constexpr double kCountsPerRevolution = 10000;  // 2500-line encoder, four edges

  explicit MotionModel(std::uint64_t seed = 1);

  MotionSample at(double ms) const;

  double amplitudeRpm() const { return amplitudeRpm_; }
  double periodMs() const { return periodMs_; }

 private:
  // Deterministic ripple in [-1, 1] for a millisecond step.
  double ripple(std::int64_t step) const;

  std::uint64_t seed_;
  double amplitudeRpm_;
  double periodMs_;
  double phase_;
  double inertiaPercent_;   // torque per (rpm per ms) of acceleration
  double frictionPercent_;  // torque against the motion
};

}  // namespace zavo::sim
