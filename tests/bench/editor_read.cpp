// The Parameter Set editor's Read of every listed parameter of drive type 2 against the paced
// virtual drive, as the ratio of the measured time to the line's own time: every request and
// reply character at the baud rate plus one turnaround per exchange, counted from the drive's
// log (goal: 1.05 at most).

#include <benchmark/benchmark.h>

#include <chrono>

#include "editors/ParameterSetCommands.h"
#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "editors/ParameterSetModel.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Progress.h"
#include "sim/VirtualDrive.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTurnaroundMs = 0.5;

zavo::sim::SimOptions paced(long baud) {
  zavo::sim::SimOptions o;
  o.pace = true;
  o.baud = baud;
  o.turnaroundMs = kTurnaroundMs;
  return o;
}

void readListed(benchmark::State& state) {
  const long baud = state.range(0);
  zavo::driveContext().reset(2);
  zavo::linkState().reset();
  zavo::sim::VirtualDrive drive(paced(baud));
  CSerial port;
  if (!drive.start() || port.Open(drive.portPath().c_str(), static_cast<unsigned long>(baud), 500, 2048, 2048) != 0)
    return state.SkipWithError("no virtual drive");
  port.SetupReadTimer(static_cast<int>(baud), 1000);
  zavo::linkState().connected = 1;
  zavo::LinkFlags flags;
  zavo::DriveOperations ops(port, flags);

  zavo::CZavoServoDoc doc;
  doc.OnNewDocument();
  zavo::ParameterSetModel model(doc);
  zavo::DisplaySelection every;
  every.groups.fill(true);
  model.fill(every);
  model.setAllChecked(true);
  zavo::NullProgress progress;
  zavo::ParameterSetCommands commands(model, ops, progress);

  double measured = 0;
  for (auto _ : state) {
    std::vector<int> changed;
    const auto t = Clock::now();
    if (commands.readChecked(changed) != zavo::ParameterSetCommands::Outcome::Done)
      return state.SkipWithError("read failed");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  double chars = 0;
  const auto log = drive.requestLog();
  for (const auto& e : log) chars += static_cast<double>(e.request.size() + e.reply.size());
  const double wire = chars * drive.options().bitsPerCharacter() / static_cast<double>(baud) +
                      static_cast<double>(log.size()) * kTurnaroundMs / 1000;
  state.counters["rows"] = model.size();
  state.counters["exchanges"] = static_cast<double>(log.size());
  state.counters["seconds"] = measured / static_cast<double>(state.iterations());
  state.counters["ratio"] = measured / wire;
  port.Close();
  drive.stop();
  zavo::linkState().reset();
}

BENCHMARK(readListed)->Arg(115200)->Arg(19200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
