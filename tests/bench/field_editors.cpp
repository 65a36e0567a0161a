// The online editor and the cam pages against the paced virtual drive, reported as the ratio
// of the measured time to the time the line itself needs: every request and reply character
// at the baud rate, one turnaround per exchange, and the drive's 30 ms settling pause after
// every store through its window.
//
//   liveStep/BAUD        one step of an online slot (the value written as the dialog does)
//   camOpen/BAUD         a cam page's opening: ECA01-ECA22 and Pn349 read
//   camWrite/BAUD        a cam page's Write: every row stored and written

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "editors/CamPage.h"
#include "editors/OnlineEditor.h"
#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"
#include "sim/VirtualDrive.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTurnaroundMs = 0.5;
constexpr double kStorePauseMs = 30;
constexpr std::string_view kStoreCommand = "W5E80001";  // the M7 window's command 1

// Message boxes of the pages answer themselves here.
class QuietPrompt final : public zavo::Prompt {
 public:
  zavo::PromptAnswer ask(const zavo::PromptRequest&) override { return zavo::PromptAnswer::Ok; }
};

struct PacedDrive {
  zavo::sim::VirtualDrive drive;
  CSerial port;
  zavo::LinkFlags flags;
  zavo::DriveOperations ops{port, flags};
  zavo::CZavoServoDoc doc;
  QuietPrompt quiet;
  zavo::Prompt* previous = nullptr;
  bool ok = false;

  explicit PacedDrive(long baud) : drive(options(baud)) {
    zavo::driveContext().reset(2);
    zavo::linkState().reset();
    ok = drive.start() && port.Open(drive.portPath().c_str(), static_cast<unsigned long>(baud), 500, 2048, 2048) == 0;
    port.SetupReadTimer(static_cast<int>(baud), 1000);
    zavo::linkState().connected = 1;
    doc.OnNewDocument();
    previous = zavo::setPrompt(&quiet);
  }
  ~PacedDrive() { zavo::setPrompt(previous); }
  static zavo::sim::SimOptions options(long baud) {
    zavo::sim::SimOptions o;
    o.pace = true;
    o.baud = baud;
    o.turnaroundMs = kTurnaroundMs;
    return o;
  }
  // The line's own time for everything in the drive's log, with the pause after each store.
  double wireSeconds() const {
    double chars = 0, stores = 0;
    const auto log = drive.requestLog();
    for (const auto& e : log) {
      chars += static_cast<double>(e.request.size() + e.reply.size());
      if (std::string(e.request.begin(), e.request.end()).rfind(kStoreCommand, 0) == 0) ++stores;
    }
    return chars * drive.options().bitsPerCharacter() / static_cast<double>(drive.options().baud) +
           (static_cast<double>(log.size()) * kTurnaroundMs + stores * kStorePauseMs) / 1000;
  }
};

template <class Work>
void measure(benchmark::State& state, PacedDrive& line, Work work) {
  double measured = 0, wire = 0, exchanges = 0;
  for (auto _ : state) {
    line.drive.clearLog();
    const auto t = Clock::now();
    if (!work()) return state.SkipWithError("the drive did not answer");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
    wire += line.wireSeconds();
    exchanges += static_cast<double>(line.drive.requestCount());
  }
  state.counters["ratio"] = measured / wire;
  state.counters["exchanges"] = exchanges / static_cast<double>(state.iterations());
}

void liveStep(benchmark::State& state) {
  PacedDrive line(state.range(0));
  if (!line.ok) return state.SkipWithError("no virtual drive");
  zavo::OnlineEditor editor(line.ops, line.doc);
  zavo::OnlineSlotCodes codes;
  codes[0] = "Sn211";
  editor.load(codes);
  bool up = true;
  measure(state, line, [&] {
    std::vector<int> changed;
    up = !up;  // back and forth, never at a limit
    return editor.step(0, {1, false}, up, changed) == zavo::OnlineEditor::Outcome::Written;
  });
}

void camOpen(benchmark::State& state) {
  PacedDrive line(state.range(0));
  if (!line.ok) return state.SkipWithError("no virtual drive");
  zavo::CamPage page(zavo::CamKind::Chase, line.ops, line.doc);
  measure(state, line, [&] { return page.open(); });
}

void camWrite(benchmark::State& state) {
  PacedDrive line(state.range(0));
  if (!line.ok) return state.SkipWithError("no virtual drive");
  zavo::CamPage page(zavo::CamKind::Chase, line.ops, line.doc);
  if (!page.open()) return state.SkipWithError("no virtual drive");
  measure(state, line, [&] { return page.write() == zavo::CamPage::Outcome::Done; });
}

BENCHMARK(liveStep)->Arg(115200)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(camOpen)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(camWrite)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
