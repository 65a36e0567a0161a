// One tick of the view's timer with all four monitor windows open, against the paced virtual
// drive: the ratio to the line's own time (PacedLine.h), beyond the pty's round trip, and the
// share of the 1000 ms period one tick takes.
//
//   steadyTick/BAUD   status read, twenty display values, the diagnostics words
//   openingTick/BAUD  the first tick after opening: also the terminal assignment and the
//                     alarm history

#include <benchmark/benchmark.h>

#include "link/ConnectionManager.h"
#include "monitor/Monitor.h"
#include "params/document/ZavoServoDoc.h"
#include "tests/bench/PacedLine.h"

namespace {

using zavo::bench::Clock;
constexpr double kPeriodSeconds = 1.0;

struct PacedMonitor final : zavo::ConnectionHost {
  zavo::bench::PacedLine line;
  zavo::CZavoServoDoc doc;
  zavo::NullProgress progress;
  zavo::Monitor monitor{line.ops, doc};
  zavo::ConnectionManager connection{line.port, line.flags, line.ops, doc, *this};

  explicit PacedMonitor(long baud) : line(baud, zavo::sim::LineProtocol::DriveLink) { line.flags.portOpen = true; }
  ~PacedMonitor() override {
    line.port.Close();
    zavo::linkState().reset();
  }
  std::optional<zavo::LinkPortChoice> askLinkPort(bool, int) override { return std::nullopt; }
  bool refreshMonitorWindows() override { return monitor.refreshOpenWindows(progress); }

  void openAll() {
    monitor.openDisplay(zavo::DisplayKind::Configurable).enableAll(true);
    monitor.openDiagnostics(2);
    monitor.openAlarms();
  }
  // One tick, its time added to `measured`; false when it lost the link.
  bool tick(double& measured) {
    const auto t = Clock::now();
    monitor.tick(connection);
    measured += std::chrono::duration<double>(Clock::now() - t).count();
    return zavo::linkState().isConnected();
  }
};

void report(benchmark::State& state, PacedMonitor& m, double measured) {
  zavo::bench::report(state, m.line, measured);
  const double perTick = measured / static_cast<double>(state.iterations());
  state.counters["tick_ms"] = perTick * 1000;
  state.counters["period_share"] = perTick / kPeriodSeconds;
}

void steadyTick(benchmark::State& state) {
  PacedMonitor m(state.range(0));
  if (!m.line.ok) return state.SkipWithError("no virtual drive");
  m.openAll();
  double measured = 0;
  if (!m.tick(measured)) return state.SkipWithError("the opening tick failed");
  m.line.drive.clearLog();
  measured = 0;
  for (auto _ : state)
    if (!m.tick(measured)) return state.SkipWithError("tick failed");
  report(state, m, measured);
}

void openingTick(benchmark::State& state) {
  PacedMonitor m(state.range(0));
  if (!m.line.ok) return state.SkipWithError("no virtual drive");
  double measured = 0;
  for (auto _ : state) {
    m.openAll();
    if (!m.tick(measured)) return state.SkipWithError("tick failed");
  }
  report(state, m, measured);
}

BENCHMARK(steadyTick)->Arg(9600)->Arg(19200)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openingTick)->Arg(9600)->Arg(19200)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
