#pragma once
// The virtual drive's axis in motion: the rigid mechanics under the drive's control loops,
// integrated in fixed steps of 0.1 ms up to whatever moment is asked for. What the axis
// follows is set from outside (the drive's state: servo on, JOG, a tuning test):
//
//   - followSwing(): servo on with the position command of the swing (MotionModel);
//   - holdSpeed(rpm): the speed loop on a fixed reference (JOG);
//   - runProfile(f): the speed loop on a reference that is a function of time (tests);
//   - holdTorque(nm): torque without the loops;
//   - pullTo(angle, nm, poles): the field of a standing current, pulling the rotor into line
//     with it (pole alignment);
//   - release(): no torque, the axis coasts to rest.
//
// Measurements carry seeded noise (speed and current sensing), so a run with the same seed
// moves the same way, and whoever estimates from the samples sees what a drive would.

#include <cstdint>
#include <functional>

#include "sim/MotionModel.h"
#include "sim/RigidAxis.h"
#include "sim/ServoLoop.h"

namespace zavo::sim {

// One control period as the drive measured it.
struct AxisSample {
  double ms = 0;
  double speedRadS = 0;      // measured
  double referenceRadS = 0;  // speed loop reference
  double torqueNm = 0;       // motor torque from the measured current
  double positionRad = 0;
};

class MechanicsEngine {
 public:
  static constexpr double kStepMs = 0.1;  // 10 kHz
  // A gap longer than this (nobody asked for a while) is skipped rather than integrated:
  // the axis carries on from its state, re-synchronised to the swing when following it.
  static constexpr double kMaxCatchUpMs = 20000;
  // The drive smooths the position command before its loop follows it: a delay of 2 ms, the
  // deviation a steady speed keeps.
  static constexpr double kCommandSmoothingMs = 2;
  static constexpr double kPrerollMs = 1000;

  using Profile = std::function<double(double ms)>;  // speed reference, rpm
  using Recorder = std::function<void(const AxisSample&)>;

  // `noise` scales the measurement noise (0: none).
  MechanicsEngine(const AxisParameters& axis, const MotionModel& swing, std::uint64_t seed, double noise = 1);

  void configure(const LoopSettings& s) { loop_.configure(s); }
  const LoopSettings& settings() const { return loop_.settings(); }

  void followSwing();
  void holdSpeed(double rpm);
  void runProfile(Profile profile);
  void holdTorque(double nm);
  // Torque nm·sin(poles·(angle - position)): the rotor settles where the field points.
  void pullTo(double angleRad, double nm, int polePairs);
  void release();
  // Every control period from now on goes to `recorder` (empty: none).
  void record(Recorder recorder) { recorder_ = std::move(recorder); }

  // Integrates up to `ms` (never backwards) and returns the state there.
  const MotionSample& advanceTo(double ms);
  const MotionSample& now() const { return sample_; }
  double timeMs() const { return timeMs_; }
  const RigidAxis& axis() const { return axis_; }
  double motorInertia() const { return motorInertia_; }

 private:
  enum class Mode { Free, Swing, Speed, Profile, Torque, Field };

  void setMode(Mode mode);
  void step();
  void skipTo(double ms);
  double swingCommand(double ms) const;
  void preroll();
  static std::int64_t stepOf(double ms);
  double gaussian();
  void updateSample();

  RigidAxis axis_;
  ServoLoop loop_;
  const MotionModel& swing_;
  double motorInertia_;
  double noise_;
  std::uint64_t rng_;

  Mode mode_ = Mode::Free;
  double holdRadS_ = 0;
  double holdNm_ = 0;
  double fieldAngleRad_ = 0;
  int polePairs_ = 1;
  Profile profile_;
  Recorder recorder_;

  double timeMs_ = 0;
  std::int64_t steps_ = 0;
  double referenceRadS_ = 0;
  double commandRad_ = 0;  // position command: the swing's, or the reference integrated
  double followedRad_ = 0;  // the command the loop follows
  double swingOffsetRad_ = 0;
  double measuredRadS_ = 0;
  double torqueNm_ = 0;
  double measuredNm_ = 0;
  MotionSample sample_;
};

}  // namespace zavo::sim
