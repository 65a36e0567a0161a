#pragma once
// Auto gain adjustment with the drive: switching it off, the off-line adjustment (the drive
// moves the motor through a profile and sets the inertia ratio and loop gains itself) and
// the off-line adjustment with loop gains, whose results the operator chooses to keep.
//
// Writes carry the store flag except the B55 = 0 that ends an adjustment. The off-line start
// goes to the family's own mode register (C3E on the M7 family, 5DC on the older ones, whose
// register image has no C3E).

#include <array>
#include <string>

#include "link/DriveOperations.h"
#include "tuning/RangeCheck.h"

namespace zavo::tuning {

// Messages of the off-line dialogs to the view: set-value writes (wParam the item, lParam
// the value) and the adjustment's monitor requests (1 progress, 2 results).
inline constexpr unsigned kMsgOfflineGainWrite = 0x8B0;
inline constexpr unsigned kMsgTuningMonitor = 0x914;
enum TuningMonitorRequest : int { kMonitorProgress = 1, kMonitorResults = 2 };

// Items of the set-value writes: 1-3 the off-line profile, 4-8 tn08-tn12 of the adjustment
// with loop gains.
enum GainItem : int { kItemSpeed = 1, kItemAcceleration = 2, kItemTime = 3, kItemFirstLoopGain = 4, kItemLastLoopGain = 8 };
inline constexpr int kLoopGainItems = 5;

Range profileRange(int item, int ratedSpeed);
// The adjustment with loop gains keeps its own ranges for tn08-tn12 (not the catalogue's).
Range loopGainRange(int index);  // 0-4

// Choice 0: read 51D, clear its auto-gain mode, mode register = 0; "Auto tuning cancel." when
// both writes were taken.
bool disableAutoGain(DriveOperations& ops, int driveType);

struct Profile {
  int speed = 0;         // rpm
  int acceleration = 0;  // rpm/s
  int time = 0;          // 0.1 ms
};
bool readProfile(DriveOperations& ops, int driveType, Profile& p);
// A set-value write (items 1-8), then the register read back into `readBack`.
bool writeGainItem(DriveOperations& ops, int driveType, int item, int value, int& readBack);
// OK of the off-line dialog: mode 1 in 51D, start flag 1, progress read, then the request
// taken back (the drive runs the adjustment on its own).
bool startOffline(DriveOperations& ops, int driveType);
bool readTotalInertia(DriveOperations& ops, int& inertia);
bool readProgress(DriveOperations& ops, int& percent);

// ---- The adjustment with loop gains -------------------------------------------------------
bool readLoopGainSetValues(DriveOperations& ops, std::array<int, kLoopGainItems>& values);
bool startLoopGain(DriveOperations& ops);

struct LoopGainResults {
  int ratio = 0;            // 5FB, Cn025 in 0.1
  int currentGain = 0;      // C9C, 1/16384
  int currentPeriod = 0;    // C9B
  int currentIntegral = 0;  // C9D
  int speedGain = 0;        // 530
  int speedIntegral = 0;    // 531
  int positionGain = 0;     // 55A
};
bool readLoopGainResults(DriveOperations& ops, LoopGainResults& r);

// As the start dialog shows them: ratio × 0.1, C9C / 16384, C9B × 131072 / C9D (0 when C9D is
// 0), 530, 531, 55A.
struct ShownResults {
  double ratio = 0;
  double currentGain = 0;
  long currentKi = 0;
  int speedGain = 0, speedIntegral = 0, positionGain = 0;
};
ShownResults shownResults(const LoopGainResults& r);

// Quit: B55 = 0.
bool quitLoopGain(DriveOperations& ops);
// Next: 51D's mode cleared and the mode register 0.
bool endLoopGain(DriveOperations& ops, int driveType);
// The end dialog's Yes: each chosen result (ratio, C9C, C9D, 530, 531, 55A) checked 0-1000 in
// the scale the start dialog shows, and written as read; the first out of range is told and
// ends the writes. B55 = 0 last. False when a value was out of range or a write failed.
inline constexpr int kResultCount = 6;
bool writeChosenResults(DriveOperations& ops, const LoopGainResults& r, const std::array<bool, kResultCount>& chosen);

}  // namespace zavo::tuning
