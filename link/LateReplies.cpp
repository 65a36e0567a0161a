#include "link/LateReplies.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace zavo {

void discardLateReplies(CSerial& port, int quietMs) {
  using Clock = std::chrono::steady_clock;
  if (quietMs <= 0 || !port.IsOpen()) return;
  port.AcquireMutex();
  const auto limit = Clock::now() + std::chrono::milliseconds(quietMs * kLateReplyLimitFactor);
  std::uint8_t sink[256];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(limit - Clock::now()).count();
    if (left <= 0) break;
    unsigned long got = 0;
    const long rc = port.Read(sink, sizeof sink, &got, nullptr,
                              static_cast<unsigned long>(std::min<long long>(quietMs, left)));
    if (rc != 0 || got == 0) break;
  }
  port.PurgeInput();
  port.ReleaseMutex();
}

}  // namespace zavo
