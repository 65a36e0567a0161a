#pragma once
// The entry rules of the trace settings: which interval, trigger level and trigger position
// a mode and a trigger source allow, what the level's unit label reads, and what happens to
// the level when the trigger source changes. The Trace Setting dialog applies them field by
// field; checkSettings applies them all at once to settings that come from elsewhere.

#include <optional>
#include <string>

#include "trace/TraceSettings.h"
#include "trace/TraceSources.h"

namespace zavo::trace {

struct ValueRange {
  int lo = 0;
  int hi = 0;
  bool contains(int v) const { return v >= lo && v <= hi; }
};

// 1-1250 (× 100 µs) in Single and Cycle mode, 1-500 (× 10 ms) in Monitor mode.
ValueRange intervalRange(TraceMode mode);
// 0-50 percent.
ValueRange positionRange();

// The trigger level's range for a trigger on `source` (S = rated speed): ±S for speeds,
// ±100 for torques and the current, −32768..32767 for the deviation (what the 16-bit level
// register holds), 0-359 for the angle, 0-1 for a digital source; nothing for no source.
std::optional<ValueRange> levelRange(int source, int ratedSpeed);
// The same for the settings' trigger channel; nothing without a trigger or in Monitor mode.
std::optional<ValueRange> levelRange(const TraceSettings& s, int ratedSpeed);
// The unit label beside the level ("[rpm]  (-3000~3000)", "[%]  (-100~100)", ...; "" when
// there is no level) and how many characters the level edit takes.
std::string levelLabel(int source, int ratedSpeed);
int levelWidth(int source);
// The level after the trigger source changed to `source`: a torque, current, angle or
// digital source sets a level outside its range to 0; speeds and the deviation keep it.
int levelForSource(int source, int level, int ratedSpeed);

// Everything at once, for settings that did not come through the dialog: "" when they are
// sound, else what is wrong, for the user.
std::string checkSettings(const TraceSettings& s, const TraceSources& sources, int ratedSpeed);

}  // namespace zavo::trace
