// Arbitrary bytes on the virtual drive's line, in each of its three line protocols: the
// framer cuts them and the drive answers whatever comes out, without reading outside a frame.
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "sim/DriveEngine.h"
#include "sim/RequestFramer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zavo::sim;
  static DriveEngine engine(2, 1, 1);
  if (size < 1) return 0;
  const LineProtocol line = static_cast<LineProtocol>(data[0] % 3);
  RequestFramer framer(line, 1, std::chrono::milliseconds(2), std::chrono::milliseconds(50));
  auto now = RequestFramer::Clock::now();
  framer.feed(data + 1, size - 1, now);
  // Let every silence pass so that unfinished frames are cut or dropped too.
  now += std::chrono::seconds(1);
  for (int i = 0; i < 64; ++i) {
    auto request = framer.next(now);
    if (!request) break;
    (void)engine.answer(*request, 0.0);
  }
  return 0;
}
