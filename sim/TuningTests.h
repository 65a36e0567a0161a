#pragma once
// The tests of the virtual drive's tuning firmware, each a plan: how long it runs, how it
// moves the axis meanwhile, and what it computes from the recorded motion when it ends.
//
//   motor identification (B55 = 1), by the selector B58: 0 all, 1 current loop, 2 resistance,
//     3 dead-time losses, 4 inductances, 5 back-EMF, 6 motor friction, 7 motor inertia;
//   mechanical tuning (B55 = 2 after a selector write): 0 friction + inertia + both loops,
//     1 friction, 2 load inertia, 3 current-loop bandwidth, 4 current-loop gain switching,
//     5 speed loop, 6 position loop, 7 resonance; these propose gains (965-96D) that wait
//     for 964;
//   the off-line auto gain adjustment and the adjustment with loop gains (the working
//     registers take the results at once).
//
// Every test ends within 3 s of drive time; the full sets within 15 s.

#include <functional>
#include <span>
#include <vector>

#include "sim/MoveProfile.h"
#include "sim/TuningDrive.h"

namespace zavo::sim {

struct TestPlan {
  double durationMs = 0;
  SpeedProfile profile;  // empty: the axis is held at rest (the windings are measured)
  std::function<void(std::span<const AxisSample>)> finish;
};

// A proposed value and the working register it goes to on adoption.
struct Proposal {
  RegisterRef proposed;
  RegisterRef working;
};

std::vector<TestPlan> motorTests(int selector, TuningDrive& d);
std::vector<TestPlan> mechanicalTests(int selector, TuningDrive& d, std::vector<Proposal>& proposals);
std::vector<TestPlan> offlineAutoGain(TuningDrive& d, const tuning::AutoGainRegisters& profile);
std::vector<TestPlan> loopGainAdjust(TuningDrive& d, const tuning::AutoGainRegisters& profile);

inline constexpr double kTestMaxMs = 3000;

}  // namespace zavo::sim
