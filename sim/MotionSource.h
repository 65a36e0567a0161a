#pragma once
// Where the drive's trace memory takes its samples from: the motor's motion, asked for at
// the moments the drive samples it. Times never decrease from one call to the next (the same
// time may come twice), so an engine that integrates the mechanics forward can stand behind
// this as well as a model that is a pure function of time.

#include "sim/MotionModel.h"

namespace zavo::sim {

class MotionSource {
 public:
  virtual ~MotionSource() = default;
  // The motion `ms` after power-on: speeds and their command, torque, command and feedback
  // pulses (the feedback is the rotor's position in encoder counts).
  virtual MotionSample sampleAt(double ms) = 0;
  // Encoder counts of one revolution of the rotor.
  virtual double countsPerRevolution() const { return MotionModel::kCountsPerRevolution; }
};

// The motion of the seeded model (MotionModel), which needs no state of its own.
class ModelMotionSource final : public MotionSource {
 public:
  explicit ModelMotionSource(const MotionModel& model) : model_(model) {}
  MotionSample sampleAt(double ms) override { return model_.at(ms); }

 private:
  const MotionModel& model_;
};

}  // namespace zavo::sim
