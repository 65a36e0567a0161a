#pragma once
// The drive's control loops as the mechanics see them: a proportional position loop over a
// PI speed loop, its torque command held to the torque limits, and the current loop as a
// short lag between torque command and motor torque.
//
// The speed gain is a bandwidth: the drive multiplies it by the inertia it believes the axis
// has (motor inertia × (1 + the set load ratio)), so the loop is as fast as set only when
// the set ratio is the true one.

namespace zavo::sim {

struct LoopSettings {
  double speedBandwidthHz = 40;          // Sn211
  double integralMs = 20;                // Sn212 (0.2 ms units) in ms
  double assumedInertiaRatio = 1;        // Cn025 / 10
  double positionGain = 40;              // Pn310, 1/s
  double torqueLimitCcwPercent = 300;    // Cn010
  double torqueLimitCwPercent = -300;    // Cn011
};

class ServoLoop {
 public:
  // The current loop's time constant: a loop of about 1.6 kHz.
  static constexpr double kCurrentLagS = 1e-4;

  ServoLoop(double motorInertiaKgM2, double ratedTorqueNm);

  void configure(const LoopSettings& s);
  const LoopSettings& settings() const { return settings_; }

  // One period of the speed loop: the torque command (N·m) for the speed reference and the
  // measured speed (rad/s). The integral stops growing while the command sits at a limit.
  double speedStep(double referenceRadS, double measuredRadS, double dt);
  // The speed reference of the position loop: the feed-forward plus the gain on the error.
  double positionReference(double commandRad, double positionRad, double feedForwardRadS) const;
  // The motor torque after the current loop, following the command.
  double torqueStep(double commandNm, double dt);

  // Servo off: the integral and the current are gone.
  void reset();

 private:
  double motorInertia_;
  double ratedTorque_;
  LoopSettings settings_;
  double kp_ = 0;   // N·m per rad/s
  double ti_ = 0;   // s
  double ccwLimit_ = 0, cwLimit_ = 0;  // N·m
  double integral_ = 0;
  double torque_ = 0;
};

}  // namespace zavo::sim
