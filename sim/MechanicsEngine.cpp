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

void MechanicsEngine::setMode(Mode mode) {
  if (mode_ == mode) return;
  // Entering a loop from another mode starts it clean; the position command starts where
  // the shaft is, so a speed mode does not inherit an old position error.
  // The swing is joined where the shaft is: its command is offset by the difference.
  commandRad_ = axis_.motorPosition();
  swingOffsetRad_ = commandRad_ - pulsesToRad(swing_.at(timeMs_).commandPulses);
  loop_.reset();
  mode_ = mode;
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
      const double next = pulsesToRad(swing_.at(t).commandPulses) + swingOffsetRad_;
      const double feedForward = (next - commandRad_) / dt;
      commandRad_ = next;
      referenceRadS_ = loop_.positionReference(commandRad_, axis_.motorPosition(), feedForward);
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
  const auto target = static_cast<std::int64_t>(ms / kStepMs);
  if (target <= steps_) return;
  steps_ = target;
  timeMs_ = static_cast<double>(steps_) * kStepMs;
  if (mode_ == Mode::Swing) {
    // Back on the swing where it is now, as if it had been followed all along.
    const MotionSample s = swing_.at(timeMs_);
    commandRad_ = pulsesToRad(s.commandPulses) + swingOffsetRad_;
    axis_.place(commandRad_, rpmToRadS(s.speedCommandRpm));
    loop_.reset();
  }
}

const MotionSample& MechanicsEngine::advanceTo(double ms) {
  if (ms - timeMs_ > kMaxCatchUpMs) skipTo(ms - kMaxCatchUpMs);
  const auto target = static_cast<std::int64_t>(ms / kStepMs);
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
