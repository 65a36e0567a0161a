#include "tuning/AutoGain.h"

#include "link/LinkState.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"
#include "tuning/RegisterAccess.h"
#include "tuning/TuningRegisters.h"

namespace zavo::tuning {
namespace {

constexpr Range kAccelerationRange{2000, 90000};
constexpr Range kTimeRange{0, 10000};
constexpr Range kLoopGainRanges[kLoopGainItems] = {{1, 65535}, {1, 65535}, {1, 1000}, {1, 100}, {1, 1000}};
constexpr Range kResultRange{0, 1000};
constexpr int kFirstLoopGainTn = 8;

RegisterRef itemRegister(int driveType, int item) {
  const AutoGainRegisters& g = autoGainRegisters(driveType);
  switch (item) {
    case kItemSpeed: return g.maxSpeed;
    case kItemAcceleration: return g.acceleration;
    case kItemTime: return g.constantTime;
    default: return tuningRegister(kFirstLoopGainTn + item - kItemFirstLoopGain);
  }
}

// 51D with its auto-gain mode replaced by `mode` (the rest of the word kept).
bool setAutoGainMode(DriveOperations& ops, int mode) {
  std::int32_t word = 0;
  return readRegister(ops, kControlWord, word) &&
         writeStored(ops, kControlWord, (word & ~kAutoGainModeMask) | mode);
}

}  // namespace

Range profileRange(int item, int ratedSpeed) {
  if (item == kItemSpeed) return {0, ratedSpeed};
  return item == kItemAcceleration ? kAccelerationRange : kTimeRange;
}

Range loopGainRange(int index) { return kLoopGainRanges[index]; }

bool disableAutoGain(DriveOperations& ops, int driveType) {
  if (!linkState().isConnected()) return false;
  if (!setAutoGainMode(ops, 0) || !writeStored(ops, autoGainRegisters(driveType).mode, kAdjustIdle)) return false;
  showMessage(text(ids::kAutoTuningCancel));
  return true;
}

bool readProfile(DriveOperations& ops, int driveType, Profile& p) {
  const AutoGainRegisters& g = autoGainRegisters(driveType);
  std::int32_t speed = 0, accel = 0, time = 0;
  if (!readRegister(ops, g.maxSpeed, speed) || !readRegister(ops, g.acceleration, accel) ||
      !readRegister(ops, g.constantTime, time))
    return false;
  p = {speed, accel, time};
  return true;
}

bool writeGainItem(DriveOperations& ops, int driveType, int item, int value, int& readBack) {
  if (item < kItemSpeed || item > kItemLastLoopGain) return false;
  const RegisterRef r = itemRegister(driveType, item);
  std::int32_t v = 0;
  if (!writeStored(ops, r, value) || !readRegister(ops, r, v)) return false;
  readBack = v;
  return true;
}

bool startOffline(DriveOperations& ops, int driveType) {
  const RegisterRef mode = autoGainRegisters(driveType).mode;
  std::int32_t progress = 0;
  return setAutoGainMode(ops, kAutoGainModeOffline) && writeStored(ops, mode, kAdjustStart) &&
         readRegister(ops, kProgress, progress) && setAutoGainMode(ops, 0) && writeStored(ops, mode, kAdjustIdle);
}

bool readTotalInertia(DriveOperations& ops, int& inertia) {
  std::int32_t v = 0;
  if (!readRegister(ops, kTotalInertia, v)) return false;
  inertia = v;
  return true;
}

bool readProgress(DriveOperations& ops, int& percent) {
  std::int32_t v = 0;
  if (!readRegister(ops, kProgress, v)) return false;
  percent = v;
  return true;
}

bool readLoopGainSetValues(DriveOperations& ops, std::array<int, kLoopGainItems>& values) {
  for (int i = 0; i < kLoopGainItems; ++i) {
    std::int32_t v = 0;
    if (!readRegister(ops, tuningRegister(kFirstLoopGainTn + i), v)) return false;
    values[static_cast<std::size_t>(i)] = v;
  }
  return true;
}

bool startLoopGain(DriveOperations& ops) { return writeStored(ops, kTuneMode, kTuneMechanical); }

bool readLoopGainResults(DriveOperations& ops, LoopGainResults& r) {
  struct Field {
    RegisterRef reg;
    int* into;
  };
  LoopGainResults got;
  const Field fields[] = {{kInertiaRatio, &got.ratio},      {kCurrentGain, &got.currentGain},
                          {kCurrentIntegral, &got.currentIntegral}, {kSpeedGain, &got.speedGain},
                          {kSpeedIntegral, &got.speedIntegral},     {kPositionGain, &got.positionGain},
                          {kCurrentPeriod, &got.currentPeriod}};
  for (const Field& f : fields) {
    std::int32_t v = 0;
    if (!readRegister(ops, f.reg, v)) return false;
    *f.into = v;
  }
  r = got;
  return true;
}

ShownResults shownResults(const LoopGainResults& r) {
  ShownResults s;
  s.ratio = r.ratio * 0.1;
  s.currentGain = static_cast<double>(r.currentGain) / kCurrentGainScale;
  s.currentKi = r.currentIntegral == 0 ? 0 : static_cast<long>(r.currentPeriod) * kCurrentKiScale / r.currentIntegral;
  s.speedGain = r.speedGain;
  s.speedIntegral = r.speedIntegral;
  s.positionGain = r.positionGain;
  return s;
}

bool quitLoopGain(DriveOperations& ops) { return writePlain(ops, kTuneMode, kTuneIdle); }

bool endLoopGain(DriveOperations& ops, int driveType) {
  return setAutoGainMode(ops, 0) && writeStored(ops, autoGainRegisters(driveType).mode, kAdjustIdle);
}

bool writeChosenResults(DriveOperations& ops, const LoopGainResults& r, const std::array<bool, kResultCount>& chosen) {
  struct Result {
    const char* name;
    RegisterRef reg;
    int word;
    double shown;  // in the scale the start dialog shows and the range is for
  };
  const Result results[kResultCount] = {
      {"Cn025", kInertiaRatio, r.ratio, static_cast<double>(r.ratio)},
      {"m_nC9C", kCurrentGain, r.currentGain, static_cast<double>(r.currentGain) / kCurrentGainScale},
      {"m_nC9D", kCurrentIntegral, r.currentIntegral, static_cast<double>(r.currentIntegral)},
      {"m_n530", kSpeedGain, r.speedGain, static_cast<double>(r.speedGain)},
      {"m_n531", kSpeedIntegral, r.speedIntegral, static_cast<double>(r.speedIntegral)},
      {"m_n55A", kPositionGain, r.positionGain, static_cast<double>(r.positionGain)},
  };
  for (std::size_t i = 0; i < kResultCount; ++i) {
    if (!chosen[i]) continue;
    const Result& x = results[i];
    if (x.shown < kResultRange.min || x.shown > kResultRange.max) {
      overRange(x.name);
      return false;
    }
    // The word goes back as the drive gave it: C9C is shown divided by 16384, but its
    // register holds the undivided gain.
    if (!writeStored(ops, x.reg, x.word)) return false;
  }
  return writePlain(ops, kTuneMode, kTuneIdle);
}

}  // namespace zavo::tuning
