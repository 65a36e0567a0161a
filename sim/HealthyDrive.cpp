#include "sim/HealthyDrive.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <set>

#include "link/Protocol.h"
#include "sim/SimConstants.h"

namespace zavo::sim {
namespace {

using Value = std::function<double(const MotionSample&)>;

// The torque command runs a little ahead of the torque the motor makes; the average load is
// a share of the momentary one.
constexpr double kTorqueCommandGain = 1.02;
constexpr double kAverageLoadShare = 0.7;

// The raw word(s) that the program's raw → display rule turns back into `display`.
std::int64_t rawOf(double display, double displayPerRaw) {
  return displayPerRaw == 0 ? 0 : std::llround(display / displayPerRaw);
}

// The display items the motion drives, in display units.
Value motionValue(int item, double ratedRpm) {
  switch (item) {
    case kUnSpeed: return [](const MotionSample& s) { return s.speedRpm; };
    case kUnTorque:
    case kUnTorqueFeedback: return [](const MotionSample& s) { return s.torquePercent; };
    case kUnTorqueCommand: return [](const MotionSample& s) { return s.torquePercent * kTorqueCommandGain; };
    case kUnAverageLoad: return [](const MotionSample& s) { return std::fabs(s.torquePercent) * kAverageLoadShare; };
    case kUnPeakLoad: return [](const MotionSample& s) { return std::fabs(s.torquePercent); };
    case kUnSpeedCommand: return [](const MotionSample& s) { return s.speedCommandRpm; };
    case kUnPositionError: return [](const MotionSample& s) { return s.commandPulses - s.positionPulses; };
    case kUnFeedbackPulses: return [](const MotionSample& s) { return s.positionPulses; };
    case kUnAnalogSpeedCommand:
      return [ratedRpm](const MotionSample& s) { return s.speedCommandRpm / ratedRpm * kAnalogCommandFullScale; };
    case kUnBusVoltage: return [](const MotionSample& s) { return s.busVolts; };
    default: return {};
  }
}

// The output terminal word: ready, and ZS while the motor is below the zero-speed level.
std::uint16_t outputTerminals(const MotionSample& s, bool activeLow) {
  std::uint16_t active = kOutputsActive;
  if (std::fabs(s.speedRpm) < kZeroSpeedRpm) active |= 1u << kZeroSpeedOutputBit;
  return activeLow ? static_cast<std::uint16_t>(0xFFFF - active) : active;
}

class Installer {
 public:
  Installer(StatusRegisters& status, const ParameterTable& table) : status_(status) {
    for (const auto& p : table.parameters) {
      taken_.insert(numberOfRegister(p.live));
      if (p.highLive) taken_.insert(numberOfRegister(*p.highLive));
    }
    for (const auto& a : table.alarms) taken_.insert(numberOfRegister(a));
  }

  void fixed(RegisterRef r, std::uint16_t value) {
    if (free(r)) status_.addFixed(r, value);
  }

  void word(RegisterRef r, StatusRegisters::Formula formula) {
    if (free(r)) status_.addLive(r, std::move(formula));
  }

  // A 16- or 32-bit value; the low word at `low`, the high word at `high` when there is one.
  void live(RegisterRef low, std::optional<RegisterRef> high, Value value, double displayPerRaw) {
    if (free(low))
      status_.addLive(low, [value, displayPerRaw](const MotionSample& s) {
        return static_cast<std::uint16_t>(rawOf(value(s), displayPerRaw) & 0xFFFF);
      });
    if (high && free(*high))
      status_.addLive(*high, [value, displayPerRaw](const MotionSample& s) {
        return static_cast<std::uint16_t>((rawOf(value(s), displayPerRaw) >> 16) & 0xFFFF);
      });
  }

 private:
  bool free(RegisterRef r) const { return taken_.count(numberOfRegister(r)) == 0; }

  StatusRegisters& status_;
  std::set<int> taken_;
};

}  // namespace

void HealthyDrive::installStatus(StatusRegisters& status, const ParameterTable& table) {
  Installer in(status, table);
  const bool olderFamily = table.driveType < protocol::kFirstM7DriveType;

  const double ratedRpm = table.ratedSpeed > 0 ? table.ratedSpeed : 1;
  for (const DisplayItem& d : table.display) {
    if (const Value v = motionValue(d.item, ratedRpm)) {
      in.live(d.low, d.high, v, d.displayPerRaw);
    } else {
      in.fixed(d.low, 0);
      if (d.high) in.fixed(*d.high, 0);
    }
  }
  for (const auto& [item, r] : table.diagnostics) {
    // Left to the working registers, which take the program's start write.
    if (item == kDnAutoOffset) continue;
    std::uint16_t value = 0;
    if (item == kDnSoftwareVersion) value = kSoftwareVersion;
    if (item == kDnAsicVersion) value = kAsicVersion;
    if (item == kDnInputs) value = kInputsActive;
    if (item == kDnOutputs) {
      in.word(r, [olderFamily](const MotionSample& s) { return outputTerminals(s, olderFamily); });
      continue;
    }
    in.fixed(r, value);
  }

  in.fixed(protocol::kVersionRegister, kSoftwareVersion);
  in.fixed(protocol::kVersionMinorRegister, kVersionMinor);
  in.fixed(protocol::kMotorCodeRegister, kMotorCode);
  in.fixed(protocol::kRatedSpeedRegister, static_cast<std::uint16_t>(table.ratedSpeed));
  in.fixed(protocol::kServoOnRegister, kServoOn);
  in.fixed(protocol::kServoStatusRegister, kStatusHealthy);
  in.fixed(protocol::kAuxModelRegister, kAuxModelWord);
  // The long status value follows the feedback position, as a counter the status bar shows.
  const Value position = motionValue(kUnFeedbackPulses, ratedRpm);
  in.live(protocol::kStatusLongLowRegister, protocol::kStatusLongHighRegister, position, 1.0);
}

AlarmHistory::Codes HealthyDrive::alarmHistory() { return kPastAlarms; }

}  // namespace zavo::sim
