#include "sim/TraceSignals.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "trace/TraceProtocol.h"
#include "trace/TraceSettings.h"

namespace zavo::sim {
namespace {

using namespace zavo::trace;

constexpr double kSpeedNoiseRpm = 1.5;
constexpr double kTorqueNoisePercent = 0.4;
constexpr double kTorqueLagMs = 0.8;  // the current loop's answer to its command
constexpr int kPolePairs = 4;
constexpr int kAngleSteps = 1024;  // one electrical turn
constexpr double kZeroSpeedRpm = 20;
constexpr double kMsPerMinute = 60000;
constexpr int kTorqueFullScale = 4096;  // raw per 100 %
constexpr int kPercent = 100;
constexpr int kDegrees = 360;
constexpr int kAngleFullScale = 1023;
constexpr int kHighLevelBase = 256;
// Functions (table indices) the terminals can follow.
constexpr int kServoOnFunction = 0;    // SON
constexpr int kReadyFunction = 0;      // RDY
constexpr int kZeroSpeedFunction = 2;  // ZS

std::uint64_t mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint16_t word(double v) {
  const double r = std::round(v);
  return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(r, -32768.0, 32767.0)));
}

// v × num / den rounded half away from zero, as the program rounds.
int scaledShown(int v, int num, int den) {
  const long long p = static_cast<long long>(v) * num;
  const long long m = ((p < 0 ? -p : p) * 2 + den) / (2LL * den);
  return static_cast<int>(p < 0 ? -m : m);
}

int functionOf(int value) { return value < kHighLevelBase ? value - 1 : value - kHighLevelBase - 1; }

}  // namespace

TraceSignals::TraceSignals(MotionSource& motion, Scale scale, std::uint64_t seed)
    : motion_(motion), scale_(scale), seed_(seed) {}

void TraceSignals::restart(const Terminals& terminals) {
  terminals_ = terminals;
  first_ = true;
}

double TraceSignals::noise() {
  const std::uint64_t h = mix(seed_ ^ mix(++draws_));
  return 2 * (static_cast<double>(h >> 11) * 0x1.0p-53) - 1;
}

void TraceSignals::sampleAt(double ms) {
  const MotionSample m = motion_.sampleAt(ms);
  const double counts = motion_.countsPerRevolution();
  speedCommand_ = m.speedCommandRpm + kSpeedNoiseRpm * noise();
  speedFeedback_ = m.speedRpm + kSpeedNoiseRpm * noise();
  torqueCommand_ = m.torquePercent + kTorqueNoisePercent * noise();
  if (first_) {
    torqueFeedback_ = torqueCommand_;
    pulseReference_ = m.speedCommandRpm;
  } else {
    const double dt = ms - lastMs_;
    torqueFeedback_ += (torqueCommand_ - torqueFeedback_) * (1 - std::exp(-dt / kTorqueLagMs));
    if (dt > 0) pulseReference_ = (m.commandPulses - lastCommandPulses_) / counts * kMsPerMinute / dt;
  }
  first_ = false;
  lastMs_ = ms;
  lastCommandPulses_ = m.commandPulses;
  deviation_ = std::llround(m.commandPulses) - std::llround(m.positionPulses);
  const double turns = m.positionPulses / counts * kPolePairs;
  angle_ = static_cast<int>(std::floor((turns - std::floor(turns)) * kAngleSteps)) & (kAngleSteps - 1);
  currentU_ = torqueFeedback_ * std::sin(2 * std::numbers::pi * angle_ / kAngleSteps);
}

std::uint16_t TraceSignals::raw(int source) const {
  const double rawPerRpm = static_cast<double>(scale_.speedUnit) / scale_.ratedSpeed;
  const double rawPerPercent = static_cast<double>(kTorqueFullScale) / kPercent;
  switch (source) {
    case kSourceSpeedCommand: return word(speedCommand_ * rawPerRpm);
    case kSourceSpeedFeedback: return word(speedFeedback_ * rawPerRpm);
    case kSourceTorqueCommand: return word(torqueCommand_ * rawPerPercent);
    case kSourceTorqueFeedback: return word(torqueFeedback_ * rawPerPercent);
    case kSourceDeviation: return static_cast<std::uint16_t>(deviation_ & 0xFFFF);
    case kSourceElectricalAngle: return static_cast<std::uint16_t>(angle_);
    case kSourcePulseReference: return word(pulseReference_ * rawPerRpm);
    case kSourceCurrentU: return word(currentU_ * rawPerPercent);
    case kSourceDeviationHigh: return static_cast<std::uint16_t>((deviation_ >> 16) & 0xFFFF);
    default: break;
  }
  const std::size_t k = static_cast<std::size_t>(source - kFirstDigitalSource);
  if (source < kFirstDigitalSource) return 0;
  if (k < terminals_.inputs.size()) return functionOf(terminals_.inputs[k]) == kServoOnFunction ? 1 : 0;
  const std::size_t out = k - terminals_.inputs.size();
  if (out >= terminals_.outputs.size()) return 0;
  const int f = functionOf(terminals_.outputs[out]);
  if (f == kReadyFunction) return 1;
  return f == kZeroSpeedFunction && std::fabs(speedFeedback_) < kZeroSpeedRpm ? 1 : 0;
}

int TraceSignals::shown(int source, std::uint16_t raw) const {
  const int r = static_cast<std::int16_t>(raw);
  switch (source) {
    case kSourceSpeedCommand:
    case kSourceSpeedFeedback:
    case kSourcePulseReference: return scaledShown(r, scale_.ratedSpeed, scale_.speedUnit);
    case kSourceTorqueCommand:
    case kSourceTorqueFeedback:
    case kSourceCurrentU: return scaledShown(r, kPercent, kTorqueFullScale);
    case kSourceElectricalAngle: return scaledShown(r, kDegrees, kAngleFullScale);
    default: return source >= kFirstDigitalSource && source != kSourceDeviationHigh ? (r > 0 ? 1 : 0) : r;
  }
}

}  // namespace zavo::sim
