// The trace worker against the paced virtual drive (turnaround 0.5 ms), at interval 1.
//
//   cycleThroughput/BAUD  Cycle mode: records delivered per second over what the line can
//                         carry (a block of 64 records is 24 + 23 × 64 characters of 10 bits
//                         plus one turnaround); the goal is 0.95 or more
//   monitorMinute/BAUD    Monitor mode for 60 s: records delivered, and records the drive lost
//                         because both halves were still held (the goal is none)

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"
#include "trace/TraceArming.h"
#include "trace/TraceProtocol.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace zavo::trace;
constexpr double kTurnaroundMs = 0.5;
constexpr int kBitsPerCharacter = 10;

struct PacedTrace {
  zavo::sim::VirtualDrive drive;
  CSerial port;
  zavo::LinkFlags flags;
  TraceExchange exchange;
  TraceArming arming{port, exchange, flags};
  bool ok = false;

  explicit PacedTrace(long baud) : drive(options(baud)) {
    zavo::driveContext().reset(2);
    zavo::linkState().reset();
    ok = drive.start() && port.Open(drive.portPath().c_str(), static_cast<unsigned long>(baud), 500, 2048, 2048) == 0;
    zavo::linkState().connected = 1;
  }
  ~PacedTrace() {
    arming.stop();
    port.Close();
    drive.stop();
  }
  static zavo::sim::SimOptions options(long baud) {
    zavo::sim::SimOptions o;
    o.pace = true;
    o.baud = baud;
    o.turnaroundMs = kTurnaroundMs;
    return o;
  }
  // Takes records as they come until `enough` says so; the records taken.
  template <class Enough>
  long drainUntil(Enough enough) {
    long taken = 0;
    while (!enough(taken) && arming.workerActive()) {
      taken += static_cast<long>(exchange.queue.takeAll().size());
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return taken;
  }
};

TraceSettings atIntervalOne(TraceMode mode) {
  TraceSettings s;
  s.mode = static_cast<int>(mode);
  s.interval = 1;
  s.sources = {1, 2, 3, 4};
  return s;
}

void cycleThroughput(benchmark::State& state) {
  const long baud = state.range(0);
  const long wanted = (baud < 100000 ? 1 : 3) * kRecordsPerCapture;
  PacedTrace line(baud);
  if (!line.ok) return state.SkipWithError("no virtual drive");
  double rate = 0;
  for (auto _ : state) {
    if (!line.arming.start(atIntervalOne(TraceMode::Cycle))) return state.SkipWithError("not armed");
    const auto t = Clock::now();
    line.arming.startWorker(atIntervalOne(TraceMode::Cycle), {});
    const long taken = line.drainUntil([&](long n) { return n >= wanted; });
    rate = static_cast<double>(taken) / std::chrono::duration<double>(Clock::now() - t).count();
    line.arming.stop();
    if (taken < wanted) return state.SkipWithError("the capture ended early");
  }
  const double blockSeconds =
      static_cast<double>(kBlockRequestLength + kRecordLength * kRecordsPerBlock) * kBitsPerCharacter / static_cast<double>(baud) +
      kTurnaroundMs / 1000;
  state.counters["records_per_s"] = rate;
  state.counters["line_capacity"] = kRecordsPerBlock / blockSeconds;
  state.counters["ratio"] = rate / (kRecordsPerBlock / blockSeconds);
}

void monitorMinute(benchmark::State& state) {
  constexpr double kSeconds = 60;
  PacedTrace line(state.range(0));
  if (!line.ok) return state.SkipWithError("no virtual drive");
  long taken = 0;
  for (auto _ : state) {
    if (!line.arming.start(atIntervalOne(TraceMode::Monitor))) return state.SkipWithError("not armed");
    const auto t = Clock::now();
    line.arming.startWorker(atIntervalOne(TraceMode::Monitor), {});
    taken = line.drainUntil([&](long) { return std::chrono::duration<double>(Clock::now() - t).count() >= kSeconds; });
    line.arming.stop();
  }
  state.counters["records"] = static_cast<double>(taken);
  state.counters["lost"] = static_cast<double>(line.drive.traceOverruns());
}

}  // namespace

BENCHMARK(cycleThroughput)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(monitorMinute)->Arg(115200)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_MAIN();
