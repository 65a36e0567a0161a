#include "sim/LinePacer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace zavo::sim {
namespace {

// The scheduler may oversleep by tens of microseconds; the last stretch is spun.
constexpr auto kSpinMargin = std::chrono::microseconds(200);
constexpr int kWritePollMs = 200;

// Writes all of `bytes`; the master side is non-blocking, so a full buffer is waited out.
bool writeAll(int fd, const std::uint8_t* bytes, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t w = ::write(fd, bytes + done, count - done);
    if (w > 0) {
      done += static_cast<std::size_t>(w);
      continue;
    }
    if (w < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd p{fd, POLLOUT, 0};
    if (::poll(&p, 1, kWritePollMs) <= 0 || (p.revents & (POLLERR | POLLNVAL))) return false;
  }
  return true;
}

}  // namespace

LinePacer::LinePacer(bool enabled, long baud, int bitsPerCharacter, double turnaroundMs)
    : enabled_(enabled && baud > 0),
      character_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(baud > 0 ? static_cast<double>(bitsPerCharacter) / static_cast<double>(baud) : 0))),
      turnaround_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double, std::milli>(std::max(0.0, turnaroundMs)))) {}

LinePacer::Clock::time_point LinePacer::arrival(Clock::time_point firstByte, std::size_t length) {
  if (!enabled_) return firstByte;
  const auto start = std::max(firstByte, lineFree_);
  lineFree_ = start + character_ * static_cast<long>(length);
  return lineFree_;
}

bool LinePacer::send(int fd, std::span<const std::uint8_t> bytes, Clock::time_point start) {
  if (bytes.empty()) return true;
  if (!enabled_) {
    waitUntil(start);
    return writeAll(fd, bytes.data(), bytes.size());
  }
  // Each character is handed over when its stop bit would have arrived.
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    waitUntil(start + character_ * static_cast<long>(i + 1));
    if (!writeAll(fd, &bytes[i], 1)) return false;
  }
  return true;
}

void LinePacer::waitUntil(Clock::time_point t) {
  const auto now = Clock::now();
  if (t <= now) return;
  if (t - now > kSpinMargin) std::this_thread::sleep_until(t - kSpinMargin);
  while (Clock::now() < t) {
  }
}

}  // namespace zavo::sim
