// Tuning against the paced virtual drive, as ratios to the line's own time (see PacedLine.h),
// and the virtual drive's mechanics against real time:
//
//   jogEntry/BAUD          JOG's four-step entry and its exit (619 = 0, 536 put back)
//   selfTuningStart/BAUD   the full mechanical self-tuning's start: B55 = 0, its eight
//                          parameters, the selector and B55 = 2
//   mechanicsModel         simulated seconds per second of the axis under its loops at
//                          10 kHz ("realtime_factor")

#include <benchmark/benchmark.h>

#include "sim/MechanicsEngine.h"
#include "tests/bench/PacedLine.h"
#include "tuning/JogSession.h"
#include "tuning/SelfTuning.h"

namespace {

using namespace zavo::bench;

zavo::sim::SimOptions servoOff() {
  zavo::sim::SimOptions o;
  o.axis.servoOn = false;
  return o;
}

void jogEntry(benchmark::State& state) {
  PacedLine line(state.range(0), zavo::sim::LineProtocol::DriveLink, servoOff());
  if (!line.ok) return state.SkipWithError("no virtual drive");
  zavo::tuning::JogSession jog(line.ops);
  line.drive.clearLog();
  double measured = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    if (!jog.enter() || !jog.leave()) return state.SkipWithError("JOG failed");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  report(state, line, measured);
}

void selfTuningStart(benchmark::State& state) {
  PacedLine line(state.range(0), zavo::sim::LineProtocol::DriveLink, servoOff());
  if (!line.ok) return state.SkipWithError("no virtual drive");
  const auto& test = *zavo::tuning::findTest(zavo::tuning::mechanicalTests(), "all");
  zavo::tuning::SetValues v{};
  if (!zavo::tuning::readSetValues(line.ops, v)) return state.SkipWithError("no set values");
  line.drive.clearLog();
  double measured = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    if (!zavo::tuning::startMechanical(line.ops, test, v)) return state.SkipWithError("start failed");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  report(state, line, measured);
  zavo::tuning::stopTuning(line.ops);
}

void mechanicsModel(benchmark::State& state) {
  const zavo::sim::MotionModel swing(1);
  zavo::sim::MechanicsEngine engine(zavo::sim::AxisParameters{}, swing, 1);
  engine.followSwing();
  constexpr double kSimulatedMs = 60000;
  double wall = 0, simulated = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    const double from = engine.timeMs();
    for (double ms = from + 1; ms <= from + kSimulatedMs; ms += 1) benchmark::DoNotOptimize(engine.advanceTo(ms));
    wall += std::chrono::duration<double>(Clock::now() - t).count();
    simulated += kSimulatedMs / 1000;
  }
  state.counters["realtime_factor"] = simulated / wall;
}

BENCHMARK(jogEntry)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(selfTuningStart)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(mechanicsModel)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
