#include "sim/DriveMotion.h"

#include <limits>

#include "link/Protocol.h"
#include "tuning/TuningRegisters.h"

namespace zavo::sim {
namespace {

// The drive's own units of its working registers.
constexpr double kSpeedUnitsPerRated = 4096;     // speed words
constexpr double kTorqueUnitsPerPercent = 40.96; // torque limit words
constexpr double kIntegralMsPerUnit = 0.2;       // Sn212
constexpr double kRatioUnitsPerRatio = 10;       // Cn025

}  // namespace

DriveMotion::DriveMotion(DriveMemory& memory, const ParameterTable& table, const AxisParameters& axis,
                         std::uint64_t seed, double noise)
    : memory_(memory), table_(table), swing_(seed), engine_(axis, swing_, seed, noise),
      speedGain_(liveOf("Sn211")), speedIntegral_(liveOf("Sn212")), inertiaRatio_(liveOf("Cn025")),
      positionGain_(liveOf("Pn310")), ccwLimit_(liveOf("Cn010")), cwLimit_(liveOf("Cn011")) {}

RegisterRef DriveMotion::liveOf(const char* code) const {
  const StoredParameter* p = table_.find(code);
  return p ? p->live : RegisterRef{};
}

bool DriveMotion::servoOn() const {
  const auto w = memory_.read(protocol::kServoOnRegister);
  return w && (*w & tuning::kServoOnBit) != 0;
}

bool DriveMotion::jogMode() const { return memory_.live().word(tuning::kJogMode) == tuning::kJogModeOn; }

double DriveMotion::speedRpm(std::uint16_t w) const {
  return static_cast<std::int16_t>(w) * static_cast<double>(table_.ratedSpeed) / kSpeedUnitsPerRated;
}

LoopSettings DriveMotion::loopSettings() const {
  LoopSettings s;
  s.speedBandwidthHz = word(speedGain_);
  s.integralMs = word(speedIntegral_) * kIntegralMsPerUnit;
  s.assumedInertiaRatio = word(inertiaRatio_) / kRatioUnitsPerRatio;
  s.positionGain = word(positionGain_);
  s.torqueLimitCcwPercent = static_cast<std::int16_t>(word(ccwLimit_)) / kTorqueUnitsPerPercent;
  s.torqueLimitCwPercent = static_cast<std::int16_t>(word(cwLimit_)) / kTorqueUnitsPerPercent;
  return s;
}

void DriveMotion::steer() {
  engine_.configure(loopSettings());
  if (held_) return;
  if (jogMode())
    engine_.holdSpeed(speedRpm(memory_.live().word(tuning::kJogSpeed)));
  else if (servoOn())
    engine_.followSwing();
  else
    engine_.release();
}

MotionSample DriveMotion::sampleAt(double ms) {
  for (;;) {
    Controller* due = nullptr;
    double at = std::numeric_limits<double>::infinity();
    for (Controller* c : controllers_) {
      const double next = c->nextEventMs();
      if (next < at) {
        at = next;
        due = c;
      }
    }
    if (!due || at > ms) break;
    steer();
    engine_.advanceTo(at);
    due->atEvent(at);
  }
  steer();
  return engine_.advanceTo(ms);
}

}  // namespace zavo::sim
