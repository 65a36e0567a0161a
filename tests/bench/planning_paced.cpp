// The planning transfers against the paced virtual drive, reported as the ratio of the
// measured time to what the line and the drive demand: the line's time (PacedLine.h) plus the
// 30 ms settling pause after each window store. "ratio_beyond_pty" adds the machine's own pty
// round trip per exchange, leaving what the program itself adds.
//
//   groupRead/BAUD, groupWrite/BAUD   the DI/DO contact group of drive type 2 (18 items)
//   tableRead/BAUD, tableWrite/BAUD   the position table of drive type 2 (98 items)

#include <functional>

#include "link/PlanningTransfer.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"
#include "tests/bench/PacedLine.h"

namespace {

using zavo::bench::Clock;
using zavo::bench::PacedLine;
constexpr int kFramesPerStore = 3;

struct Silent final : zavo::Prompt {
  zavo::PromptAnswer ask(const zavo::PromptRequest&) override { return zavo::PromptAnswer::Ok; }
};

using Step = std::function<int(zavo::PlanningTransfer&, zavo::CZavoServoDoc&)>;

void run(benchmark::State& state, const Step& prepare, const Step& measure) {
  Silent silent;
  zavo::Prompt* previous = zavo::setPrompt(&silent);
  PacedLine line(state.range(0), zavo::sim::LineProtocol::DriveLink);
  zavo::CZavoServoDoc doc;
  zavo::NullProgress progress;
  zavo::PlanningTransfer transfer(line.ops, progress);
  const char* error = !line.ok ? "no virtual drive" : prepare && prepare(transfer, doc) != 1 ? "reading failed" : nullptr;
  line.drive.clearLog();
  double measured = 0;
  for (auto _ : state) {
    if (error) break;
    const auto t = Clock::now();
    if (measure(transfer, doc) != 1) error = "transfer failed";
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  zavo::setPrompt(previous);
  if (error) return state.SkipWithError(error);
  const double exchanges = line.drive.requestCount();
  const double pauses = line.drive.count(zavo::sim::RequestKind::WindowWrite) / kFramesPerStore * line.ops.pauseMs() / 1000.0;
  state.counters["ratio"] = measured / (line.wireSeconds() + pauses);
  state.counters["ratio_beyond_pty"] = measured / (line.wireSeconds() + pauses + exchanges * zavo::bench::ptyRoundTrip());
  state.counters["exchanges"] = exchanges;
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
