#pragma once
// Speed references the drive's tests move the axis with, as functions of the time since the
// test began (ms → rpm).

#include <functional>
#include <vector>

namespace zavo::sim {

using SpeedProfile = std::function<double(double ms)>;

// Back-and-forth moves: ramps at `accelRpmS` up to `speedRpm` (or as far as the travel
// allows), `travelRevs` per move, `dwellMs` at rest between moves, the first move in the
// direction of `firstSign` (+1 CCW, -1 CW). A Mid start (`fromMiddle`) makes the first move
// half as long, so the axis swings around where it started.
struct Moves {
  double speedRpm = 1000;
  double accelRpmS = 10000;
  double travelRevs = 1;
  double dwellMs = 50;
  int firstSign = 1;
  bool fromMiddle = false;
};
// The profile, and how long its whole moves take within `maxMs` (at least one move).
SpeedProfile backAndForth(const Moves& m, double maxMs, double& durationMs);

// Steady speeds one after the other, each held `holdMs`, ramps at `accelRpmS` between them
// (and back to rest after the last).
struct Plateaus {
  SpeedProfile profile;
  std::vector<double> holdEndsMs;  // when each hold ends
  double durationMs = 0;
};
Plateaus plateaus(const std::vector<double>& speedsRpm, double holdMs, double accelRpmS);

// A trapezoid cycle: ramp to +speed, hold, ramp to 0, rest; the same negative; repeated.
SpeedProfile trapezoids(double speedRpm, double accelRpmS, double holdMs);

}  // namespace zavo::sim
