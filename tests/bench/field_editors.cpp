// The online editor and the cam pages against the paced virtual drive, reported as the ratio
// of the measured time to the time the line itself needs (every request and reply character
// at the baud rate, one turnaround per exchange) plus the drive's 30 ms settling pause after
// every store through its window.
//
//   liveStep/BAUD        one step of an online slot (the value written as the dialog does)
//   camOpen/BAUD         a cam page's opening: ECA01-ECA22 and Pn349 read
//   camWrite/BAUD        a cam page's Write: every row stored and written

#include <string>
#include <vector>

#include "editors/CamPage.h"
#include "editors/OnlineEditor.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"
#include "tests/bench/PacedLine.h"

namespace {

using zavo::bench::Clock;
using zavo::bench::PacedLine;

constexpr std::string_view kStoreCommand = "W5E80001";  // the M7 window's command 1

// Message boxes of the pages answer themselves here.
class QuietPrompt final : public zavo::Prompt {
 public:
  zavo::PromptAnswer ask(const zavo::PromptRequest&) override { return zavo::PromptAnswer::Ok; }
};

struct Bench {
  PacedLine line;
  zavo::CZavoServoDoc doc;
  QuietPrompt quiet;
  zavo::Prompt* previous;

  explicit Bench(long baud) : line(baud, zavo::sim::LineProtocol::DriveLink), previous(zavo::setPrompt(&quiet)) {
    doc.OnNewDocument();
  }
  ~Bench() { zavo::setPrompt(previous); }

  double storePauses() const {
    double stores = 0;
    for (const auto& e : line.drive.requestLog())
      if (std::string(e.request.begin(), e.request.end()).rfind(kStoreCommand, 0) == 0) ++stores;
    return stores * line.ops.pauseMs() / 1000.0;
  }
};

// Runs `work` once per iteration; the line's and the pauses' time is summed per iteration.
template <class Work>
void measure(benchmark::State& state, Bench& b, Work work) {
  double measured = 0, demanded = 0, beyondPty = 0, exchanges = 0;
  for (auto _ : state) {
    b.line.drive.clearLog();
    const auto t = Clock::now();
    if (!work()) return state.SkipWithError("the drive did not answer");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
    const double n = static_cast<double>(b.line.drive.requestCount());
    demanded += b.line.wireSeconds() + b.storePauses();
    beyondPty += n * zavo::bench::ptyRoundTrip();
    exchanges += n;
  }
  state.counters["ratio"] = measured / demanded;
  state.counters["ratio_beyond_pty"] = measured / (demanded + beyondPty);
  state.counters["exchanges"] = exchanges / static_cast<double>(state.iterations());
}

void liveStep(benchmark::State& state) {
  Bench b(state.range(0));
  if (!b.line.ok) return state.SkipWithError("no virtual drive");
  zavo::OnlineEditor editor(b.line.ops, b.doc);
  zavo::OnlineSlotCodes codes;
  codes[0] = "Sn211";
  editor.load(codes);
  bool up = true;
  measure(state, b, [&] {
    std::vector<int> changed;
    up = !up;  // back and forth, never at a limit
    return editor.step(0, {1, false}, up, changed) == zavo::OnlineEditor::Outcome::Written;
  });
}

void camOpen(benchmark::State& state) {
  Bench b(state.range(0));
  if (!b.line.ok) return state.SkipWithError("no virtual drive");
  zavo::CamPage page(zavo::CamKind::Chase, b.line.ops, b.doc);
  measure(state, b, [&] { return page.open(); });
}

void camWrite(benchmark::State& state) {
  Bench b(state.range(0));
  if (!b.line.ok) return state.SkipWithError("no virtual drive");
  zavo::CamPage page(zavo::CamKind::Chase, b.line.ops, b.doc);
  if (!page.open()) return state.SkipWithError("no virtual drive");
  measure(state, b, [&] { return page.write() == zavo::CamPage::Outcome::Done; });
}

BENCHMARK(liveStep)->Arg(115200)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(camOpen)->Arg(115200)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(camWrite)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
