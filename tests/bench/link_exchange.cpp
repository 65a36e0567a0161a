// Single-register read exchanges over a pseudo-terminal against a peer that answers at once:
// CSerial::CommandSend against a bare write + read of the same bytes on the same line.
// Reported as exchanges per second and the ratio of the two. The frame log's hook is in the
// exchange path: commandSend runs with the log off (as always unless asked for), and
// commandSendFrameLog with it on, for what logging every frame costs.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "comtrak/CSerial.h"
#include "link/DriveLinkCodec.h"
#include "link/FrameLog.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "tests/support/PtyPeer.h"

namespace {

using zavo::test::Bytes;
using zavo::test::PeerReply;
using zavo::test::PtyPeer;

const Bytes kReply = zavo::test::bytesOf("%1234EF");

void commandSend(benchmark::State& state) {
  PtyPeer peer;
  peer.serve([](const Bytes&) { return PeerReply{kReply}; });
  CSerial port;
  port.Open(peer.slavePath().c_str(), 115200, 500, 20000, 20000);
  const auto request = zavo::drivelink::readRequest('5', 0x36);
  zavo::linkState().connected = 1;
  for (auto _ : state) {
    std::uint8_t reply[7];
    if (zavo::checkedExchange(port, request, reply, 7) != 2) state.SkipWithError("exchange failed");
  }
  state.SetItemsProcessed(state.iterations());
}

void commandSendFrameLog(benchmark::State& state) {
  zavo::FrameLog log;
  zavo::setActiveFrameLog(&log);
  commandSend(state);
  zavo::setActiveFrameLog(nullptr);
}

void bareWriteRead(benchmark::State& state) {
  PtyPeer peer;
  peer.serve([](const Bytes&) { return PeerReply{kReply}; });
  const int fd = ::open(peer.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  const auto request = zavo::drivelink::readRequest('5', 0x36);
  for (auto _ : state) {
    if (::write(fd, request.data(), request.size) != 6) state.SkipWithError("write failed");
    std::uint8_t reply[7];
    std::size_t got = 0;
    while (got < 7) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 500) <= 0) break;
      const ssize_t n = ::read(fd, reply + got, 7 - got);
      if (n > 0) got += static_cast<std::size_t>(n);
    }
    if (got != 7) state.SkipWithError("short reply");
  }
  ::close(fd);
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(bareWriteRead)->Iterations(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(commandSend)->Iterations(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(commandSendFrameLog)->Iterations(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
