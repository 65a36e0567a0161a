#include "sim/MechanicsEngine.h"

#include <cmath>
#include <numbers>

namespace zavo::sim {
namespace {

constexpr double kMsPerS = 1000;
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kPercent = 100;
// Measurement noise at noise 1: speed sensing (rpm) and current sensing (% rated torque).
constexpr double kSpeedNoiseRpm = 0.3;
constexpr double kTorqueNoisePercent = 0.3;
constexpr double kGridSlack = 1e-6;  // of a step

double pulsesToRad(double pulses) { return pulses / MotionModel::kCountsPerRevolution * kTwoPi; }
double radToPulses(double rad) { return rad / kTwoPi * MotionModel::kCountsPerRevolution; }

// splitmix64 step: the next state and a well-mixed output.
std::uint64_t nextRandom(std::uint64_t& state) {
  std::uint64_t x = (state += 0x9E3779B97F4A7C15ull);
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

double unitOpen(std::uint64_t h) { return (static_cast<double>(h >> 11) + 0.5) * 0x1.0p-53; }

}  // namespace

MechanicsEngine::MechanicsEngine(const AxisParameters& axis, const MotionModel& swing, std::uint64_t seed, double noise)
    : axis_(axis),
      loop_(axis.motorInertiaKgCm2 * kKgCm2, axis.ratedTorqueNm),
      swing_(swing),
      motorInertia_(axis.motorInertiaKgCm2 * kKgCm2),
      noise_(noise),
      rng_(seed ^ 0x6D656368616E6963ull) {
  updateSample();
}

double MechanicsEngine::swingCommand(double ms) const {
  return pulsesToRad(swing_.at(ms).commandPulses) + swingOffsetRad_;
}

void MechanicsEngine::setMode(Mode mode) {
  if (mode_ == mode) return;
  // Entering a loop from another mode starts it clean; the position command starts where
  // the shaft is, so a speed mode does not inherit an old position error. The swing is
  // joined where the shaft is: its command is offset by the difference.
  commandRad_ = axis_.motorPosition();
  followedRad_ = commandRad_;
  swingOffsetRad_ = 0;
  swingOffsetRad_ = commandRad_ - swingCommand(timeMs_ - kCommandSmoothingMs);
  loop_.reset();
  mode_ = mode;
  if (mode == Mode::Swing) {
    commandRad_ = swingCommand(timeMs_);
    if (steps_ == 0) preroll();
  }
}

void MechanicsEngine::preroll() {
  // At power-on the drive comes up on the swing as if it had followed it for a while (its
  // integral holding the friction, the deviation steady), not at rest under a moving
  // command: the axis is put on the swing a second early and follows it up to time 0.
  swingOffsetRad_ = 0;
  const double start = -kPrerollMs - kCommandSmoothingMs;
  followedRad_ = swingCommand(start);
  axis_.place(followedRad_, (followedRad_ - swingCommand(start - kStepMs)) / (kStepMs / kMsPerS));
  const Recorder recorder = std::move(recorder_);
  recorder_ = {};
  steps_ = -static_cast<std::int64_t>(kPrerollMs / kStepMs);
  while (steps_ < 0) step();
  recorder_ = recorder;
}

void MechanicsEngine::followSwing() { setMode(Mode::Swing); }

void MechanicsEngine::holdSpeed(double rpm) {
  setMode(Mode::Speed);
  holdRadS_ = rpmToRadS(rpm);
}

void MechanicsEngine::runProfile(Profile profile) {
  setMode(Mode::Profile);
  profile_ = std::move(profile);
}

void MechanicsEngine::holdTorque(double nm) {
  setMode(Mode::Torque);
  holdNm_ = nm;
}

void MechanicsEngine::pullTo(double angleRad, double nm, int polePairs) {
  setMode(Mode::Field);
  fieldAngleRad_ = angleRad;
  holdNm_ = nm;
  polePairs_ = polePairs;
}

void MechanicsEngine::release() { setMode(Mode::Free); }

std::int64_t MechanicsEngine::stepOf(double ms) {
  // A time on the step grid counts as that step, whatever the rounding of ms / step.
  return static_cast<std::int64_t>(std::floor(ms / kStepMs + kGridSlack));
}

double MechanicsEngine::gaussian() {
  // Box-Muller on our own generator: the same numbers on every platform.
  const double u1 = unitOpen(nextRandom(rng_));
  const double u2 = unitOpen(nextRandom(rng_));
  return std::sqrt(-2 * std::log(u1)) * std::cos(kTwoPi * u2);
}

void MechanicsEngine::step() {
  const double dt = kStepMs / kMsPerS;
  const double t = static_cast<double>(steps_ + 1) * kStepMs;
  measuredRadS_ = axis_.motorSpeed() + noise_ * rpmToRadS(kSpeedNoiseRpm) * gaussian();

  double command = 0;
  switch (mode_) {
    case Mode::Free: referenceRadS_ = 0; break;
    case Mode::Swing: {
      // The loop follows the command through the drive's smoothing filter (a delay of
      // kCommandSmoothingMs); the deviation counter sees the command as it arrives.
      const double next = swingCommand(t - kCommandSmoothingMs);
      const double feedForward = (next - followedRad_) / dt;
      referenceRadS_ = loop_.positionReference(followedRad_, axis_.motorPosition(), feedForward);
      followedRad_ = next;
      commandRad_ = swingCommand(t);
      command = loop_.speedStep(referenceRadS_, measuredRadS_, dt);
      break;
    }
    case Mode::Speed:
    case Mode::Profile:
      referenceRadS_ = mode_ == Mode::Speed ? holdRadS_ : (profile_ ? rpmToRadS(profile_(t)) : 0);
      commandRad_ += referenceRadS_ * dt;
      command = loop_.speedStep(referenceRadS_, measuredRadS_, dt);
      break;
    case Mode::Torque:
      referenceRadS_ = 0;
      command = holdNm_;
      break;
    case Mode::Field:
      referenceRadS_ = 0;
      command = holdNm_ * std::sin(polePairs_ * (fieldAngleRad_ - axis_.motorPosition()));
      break;
  }
  torqueNm_ = mode_ == Mode::Free ? 0 : loop_.torqueStep(command, dt);
  axis_.step(torqueNm_, dt);
  measuredNm_ = torqueNm_ + noise_ * kTorqueNoisePercent / kPercent * axis_.ratedTorqueNm() * gaussian();
  ++steps_;
  timeMs_ = t;
  if (recorder_) recorder_(AxisSample{t, measuredRadS_, referenceRadS_, measuredNm_, axis_.motorPosition()});
}

void MechanicsEngine::skipTo(double ms) {
  const auto target = stepOf(ms);
  if (target <= steps_) return;
  steps_ = target;
  timeMs_ = static_cast<double>(steps_) * kStepMs;
  if (mode_ == Mode::Swing) {
    // Back on the swing where it is now, as if it had been followed all along.
    followedRad_ = swingCommand(timeMs_ - kCommandSmoothingMs);
    commandRad_ = swingCommand(timeMs_);
    axis_.place(followedRad_, (followedRad_ - swingCommand(timeMs_ - kCommandSmoothingMs - kStepMs)) / (kStepMs / kMsPerS));
    loop_.reset();
  }
}

const MotionSample& MechanicsEngine::advanceTo(double ms) {
  if (ms - timeMs_ > kMaxCatchUpMs) skipTo(ms - kMaxCatchUpMs);
  const auto target = stepOf(ms);
  while (steps_ < target) step();
  updateSample();
  return sample_;
}

void MechanicsEngine::updateSample() {
  sample_.speedRpm = radSToRpm(measuredRadS_);
  sample_.speedCommandRpm = radSToRpm(referenceRadS_);
  sample_.torquePercent = measuredNm_ / axis_.ratedTorqueNm() * kPercent;
  sample_.positionPulses = radToPulses(axis_.motorPosition());
  sample_.commandPulses = radToPulses(commandRad_);
  sample_.busVolts = swing_.at(timeMs_).busVolts;
}

}  // namespace zavo::sim
