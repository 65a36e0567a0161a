// Writing a parameter file back to a paced virtual drive at 19200 baud, when the drive
// differs from the file in three parameters: zavoctl restore of every parameter against
// restore --only-differing, which reads the file's parameters, writes the three and reads
// them back. Each run is a zavoctl process on the drive's line; reported as seconds, and as
// the ratio to the line's own time for what the drive saw.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "params/catalogue/ValueConversion.h"
#include "tests/bench/PacedLine.h"

namespace {

using namespace zavo::bench;
namespace fs = std::filesystem;

constexpr long kBaud = 19200;

struct Setup {
  fs::path dir = fs::temp_directory_path() / ("zavo-bench-restore-" + std::to_string(::getpid()));
  std::string link = (dir / "drive").string();
  std::string file = (dir / "drive.tec").string();
};

zavo::sim::SimOptions withLink(const Setup& s) {
  zavo::sim::SimOptions o;
  o.linkPath = s.link;
  return o;
}

int zavoctl(const Setup& s, const std::string& args) {
  const std::string cmd = std::string(ZAVOCTL_PATH) + " " + args + " --port " + s.link + " --baud 19200 >/dev/null 2>&1";
  return std::system(cmd.c_str());
}

void restore(benchmark::State& state, const char* how) {
  Setup s;
  fs::create_directories(s.dir);
  PacedLine line(kBaud, zavo::sim::LineProtocol::DriveLink, withLink(s));
  line.port.Close();  // zavoctl opens the line itself
  if (!line.ok || zavoctl(s, "backup " + s.file) != 0) return state.SkipWithError("no backup");
  double measured = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (const auto& [code, value] : {std::pair{"Cn010", 250}, {"Sn201", 50}, {"Pn302", 1234}})
      line.drive.setParameter(code, zavo::conversion::toRaw(code, value));
    line.drive.clearLog();
    state.ResumeTiming();
    const auto t = Clock::now();
    if (zavoctl(s, std::string("restore ") + s.file + how) != 0) return state.SkipWithError("restore failed");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  report(state, line, measured);
  state.counters["seconds"] = measured / static_cast<double>(state.iterations());
  fs::remove_all(s.dir);
}

void fullRestore(benchmark::State& state) { restore(state, ""); }
void onlyDiffering(benchmark::State& state) { restore(state, " --only-differing"); }

BENCHMARK(fullRestore)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(onlyDiffering)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
