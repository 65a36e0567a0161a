#pragma once
// A paced virtual drive (turnaround 0.5 ms) with the program's port on its pty, and the
// benchmarks' measure against it: the ratio of a measured time to the time the line itself
// needs, every request and reply character at the baud rate plus one turnaround per
// exchange, as counted from the drive's own log.

#include <benchmark/benchmark.h>

#include <chrono>

#include "comtrak/CSerial.h"
#include "link/DriveLinkCodec.h"
#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"

namespace zavo::bench {

using Clock = std::chrono::steady_clock;
constexpr double kTurnaroundMs = 0.5;

struct PacedLine {
  zavo::sim::VirtualDrive drive;
  CSerial port;
  zavo::LinkFlags flags;
  zavo::DriveOperations ops{port, flags};
  bool ok = false;

  PacedLine(long baud, zavo::sim::LineProtocol line, zavo::sim::SimOptions base = {}) : drive(options(baud, line, base)) {
    zavo::driveContext().reset(2);
    zavo::linkState().reset();
    ok = drive.start() && (line != zavo::sim::LineProtocol::DriveLink ||
                           port.Open(drive.portPath().c_str(), static_cast<unsigned long>(baud), 500, 2048, 2048) == 0);
    port.SetupReadTimer(static_cast<int>(baud), 1000);
    zavo::linkState().connected = 1;
  }
  static zavo::sim::SimOptions options(long baud, zavo::sim::LineProtocol line, zavo::sim::SimOptions o) {
    o.pace = true;
    o.baud = baud;
    o.turnaroundMs = kTurnaroundMs;
    o.line = line;
    return o;
  }
  // The line's own time for everything in the drive's log.
  double wireSeconds() const {
    double chars = 0;
    const auto log = drive.requestLog();
    for (const auto& e : log) chars += static_cast<double>(e.request.size() + e.reply.size());
    return chars * drive.options().bitsPerCharacter() / static_cast<double>(drive.options().baud) +
           static_cast<double>(log.size()) * kTurnaroundMs / 1000;
  }
};

// What one exchange costs through an unpaced virtual drive: the machine's own pseudo-terminal
// round trip, which every paced exchange pays on top of the line's time.
inline double ptyRoundTrip() {
  static const double seconds = [] {
    constexpr int kExchanges = 300;
    zavo::sim::VirtualDrive drive;
    CSerial port;
    if (!drive.start() || port.Open(drive.portPath().c_str(), 115200, 500, 2048, 2048) != 0) return 0.0;
    zavo::linkState().connected = 1;
    const auto request = zavo::drivelink::readRequest('6', 0xCB);
    const auto t = Clock::now();
    for (int i = 0; i < kExchanges; ++i) zavo::exchangeRead(port, request);
    return std::chrono::duration<double>(Clock::now() - t).count() / kExchanges;
  }();
  return seconds;
}

// "ratio": measured / the line's time; "ratio_beyond_pty": the same with the pty's own round
// trip per exchange added to the line's time, i.e. what the program itself adds.
inline void report(benchmark::State& state, PacedLine& line, double measured) {
  const double exchanges = static_cast<double>(line.drive.requestCount());
  state.counters["ratio"] = measured / line.wireSeconds();
  state.counters["ratio_beyond_pty"] = measured / (line.wireSeconds() + exchanges * ptyRoundTrip());
  state.counters["exchanges"] = exchanges;
}

}  // namespace zavo::bench
