// Pacing accuracy of the virtual drive: 1,000 paced read exchanges (6 request and 7 reply
// characters, 8N1) through the program's port, timed against the wire time the line would
// need: (request + reply characters) × bits / baud + turnaround. The "ratio" counter is
// measured / computed; 1.00 means the virtual line runs at the speed of a real one.
// "pty_us" is what one exchange costs with the same drive unpaced (the machine's own
// pseudo-terminal round trip, which every paced exchange pays on top of the line), and
// "ratio_beyond_pty" the ratio with that cost taken out.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "comtrak/CSerial.h"
#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "link/Protocol.h"
#include "sim/VirtualDrive.h"

namespace {

constexpr int kExchanges = 1000;
constexpr int kFloorExchanges = 300;
constexpr double kTurnaroundMs = 0.5;

// Seconds per exchange of `count` reads on `port`; negative when one fails.
double secondsPerExchange(CSerial& port, const zavo::Frame& request, int count) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    std::uint8_t reply[zavo::protocol::kReadReplyLength];
    if (zavo::checkedExchange(port, request, reply, sizeof reply) != zavo::protocol::kExchangeData) return -1;
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / count;
}

// The unpaced round trip through a virtual drive's pty on this machine.
double ptyRoundTrip(const zavo::Frame& request) {
  zavo::sim::VirtualDrive drive;
  if (!drive.start()) return -1;
  CSerial port;
  if (port.Open(drive.portPath().c_str(), 115200, 500, 2048, 2048) != 0) return -1;
  return secondsPerExchange(port, request, kFloorExchanges);
}

void pacedReplies(benchmark::State& state) {
  const long baud = state.range(0);
  zavo::sim::SimOptions options;
  options.pace = true;
  options.baud = baud;
  options.turnaroundMs = kTurnaroundMs;
  zavo::sim::VirtualDrive drive(options);
  std::string error;
  if (!drive.start(&error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  CSerial port;
  if (port.Open(drive.portPath().c_str(), static_cast<unsigned long>(baud), 500, 2048, 2048) != 0) {
    state.SkipWithError("cannot open the virtual drive's port");
    return;
  }
  zavo::linkState().connected = 1;
  const zavo::Frame request = zavo::drivelink::readRequest('6', 0xCB);
  const double characters = static_cast<double>(request.size + zavo::protocol::kReadReplyLength);
  const double wireSeconds =
      characters * options.bitsPerCharacter() / static_cast<double>(baud) + kTurnaroundMs / 1000;

  double measured = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kExchanges; ++i) {
      std::uint8_t reply[zavo::protocol::kReadReplyLength];
      if (const int rc = zavo::checkedExchange(port, request, reply, sizeof reply); rc != zavo::protocol::kExchangeData) {
        // A machine so loaded that the drive's thread starves past the port's read timer
        // cannot time a line; say where it happened.
        const std::string why = "exchange " + std::to_string(i) + " failed with result " + std::to_string(rc);
        state.SkipWithError(why.c_str());
        return;
      }
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(elapsed);
    measured += elapsed;
  }
  const double computed = wireSeconds * kExchanges * static_cast<double>(state.iterations());
  state.counters["ratio"] = measured / computed;
  if (const double floor = ptyRoundTrip(request); floor > 0) {
    state.counters["pty_us"] = floor * 1e6;
    state.counters["ratio_beyond_pty"] =
        (measured - floor * kExchanges * static_cast<double>(state.iterations())) / computed;
  }
  state.counters["wire_ms"] = wireSeconds * 1000;
  state.counters["measured_ms"] = measured * 1000 / (kExchanges * static_cast<double>(state.iterations()));
  port.Close();
  drive.stop();
}

BENCHMARK(pacedReplies)->Arg(19200)->Arg(115200)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
