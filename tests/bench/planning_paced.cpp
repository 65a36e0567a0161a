// The planning transfers against the paced virtual drive (turnaround 0.5 ms), reported as the
// ratio of the measured time to what the line and the drive demand: every request and reply
// character at the baud rate, one turnaround per exchange, and the 30 ms settling pause after
// each window store.
//
//   groupRead/BAUD, groupWrite/BAUD   the DI/DO contact group of drive type 2 (18 items)
//   tableRead/BAUD, tableWrite/BAUD   the position table of drive type 2 (98 items)

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "link/PlanningTransfer.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"
#include "sim/VirtualDrive.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTurnaroundMs = 0.5;
constexpr int kFramesPerStore = 3;

struct Silent final : zavo::Prompt {
  zavo::PromptAnswer ask(const zavo::PromptRequest&) override { return zavo::PromptAnswer::Ok; }
};

zavo::sim::SimOptions paced(long baud) {
  zavo::sim::SimOptions o;
  o.pace = true;
  o.baud = baud;
  o.turnaroundMs = kTurnaroundMs;
  return o;
}

// What the line and the drive take for everything in the drive's log.
double demandedSeconds(const zavo::sim::VirtualDrive& drive, int pauseMs) {
  double chars = 0;
  const auto log = drive.requestLog();
  for (const auto& e : log) chars += static_cast<double>(e.request.size() + e.reply.size());
  const double stores = drive.count(zavo::sim::RequestKind::WindowWrite) / kFramesPerStore;
  return chars * drive.options().bitsPerCharacter() / static_cast<double>(drive.options().baud) +
         static_cast<double>(log.size()) * kTurnaroundMs / 1000 + stores * pauseMs / 1000.0;
}

using Step = std::function<int(zavo::PlanningTransfer&, zavo::CZavoServoDoc&)>;

void run(benchmark::State& state, const Step& prepare, const Step& measure) {
  Silent silent;
  zavo::Prompt* previous = zavo::setPrompt(&silent);
  zavo::sim::VirtualDrive drive(paced(state.range(0)));
  CSerial port;
  zavo::LinkFlags flags;
  zavo::DriveOperations ops(port, flags);
  zavo::driveContext().reset(2);
  zavo::linkState().reset();
  if (!drive.start() || port.Open(drive.portPath().c_str(), static_cast<unsigned long>(state.range(0)), 500, 2048, 2048) != 0) {
    zavo::setPrompt(previous);
    return state.SkipWithError("no virtual drive");
  }
  port.SetupReadTimer(static_cast<int>(state.range(0)), 1000);
  zavo::linkState().connected = 1;
  zavo::CZavoServoDoc doc;
  zavo::NullProgress progress;
  zavo::PlanningTransfer transfer(ops, progress);
  if (prepare && prepare(transfer, doc) != 1) {
    zavo::setPrompt(previous);
    return state.SkipWithError("preparing read failed");
  }
  drive.clearLog();
  double measured = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    if (measure(transfer, doc) != 1) {
      zavo::setPrompt(previous);
      return state.SkipWithError("transfer failed");
    }
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  state.counters["ratio"] = measured / demandedSeconds(drive, ops.pauseMs());
  state.counters["exchanges"] = static_cast<double>(drive.requestCount());
  state.counters["seconds"] = measured;
  zavo::setPrompt(previous);
}

const Step readGroup = [](zavo::PlanningTransfer& t, zavo::CZavoServoDoc& d) { return t.readDiDo(d); };
const Step readTable = [](zavo::PlanningTransfer& t, zavo::CZavoServoDoc& d) { return t.readPosition(d); };

void groupRead(benchmark::State& s) { run(s, nullptr, readGroup); }
void groupWrite(benchmark::State& s) {
  run(s, readGroup, [](zavo::PlanningTransfer& t, zavo::CZavoServoDoc& d) { return t.writeDiDo(d); });
}
void tableRead(benchmark::State& s) { run(s, nullptr, readTable); }
void tableWrite(benchmark::State& s) {
  run(s, readTable, [](zavo::PlanningTransfer& t, zavo::CZavoServoDoc& d) { return t.writePosition(d); });
}

BENCHMARK(groupRead)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(groupWrite)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tableRead)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tableWrite)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
