#include "link/LineEcho.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

namespace zavo::lineecho {
namespace {

std::mutex echoMutex;
std::vector<const CSerial*> echoingPorts;

}  // namespace

bool startsWithEcho(std::span<const std::uint8_t> request, std::span<const std::uint8_t> received) {
  const std::size_t n = std::min(request.size(), received.size());
  return n > 0 && std::equal(request.begin(), request.begin() + static_cast<long>(n), received.begin());
}

long readOn(CSerial& port, std::span<std::uint8_t> line, std::size_t got, std::size_t echoLength,
            unsigned long timeoutMs, CompleteFn complete) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (got < line.size()) {
    if (complete && got > echoLength && complete(line.subspan(echoLength, got - echoLength))) break;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    unsigned long n = 0;
    if (port.Read(line.data() + got, static_cast<unsigned int>(line.size() - got), &n, nullptr,
                  static_cast<unsigned long>(left)) != 0)
      return -1;
    if (n == 0) break;
    got += n;
  }
  return static_cast<long>(got);
}

bool echoes(const CSerial& port) {
  std::lock_guard lk(echoMutex);
  return std::find(echoingPorts.begin(), echoingPorts.end(), &port) != echoingPorts.end();
}

void remember(const CSerial& port, bool echoes) {
  std::lock_guard lk(echoMutex);
  const auto it = std::find(echoingPorts.begin(), echoingPorts.end(), &port);
  if (echoes && it == echoingPorts.end()) echoingPorts.push_back(&port);
  if (!echoes && it != echoingPorts.end()) echoingPorts.erase(it);
}

}  // namespace zavo::lineecho
