#include "sim/FaultInjector.h"

#include "link/Protocol.h"

namespace zavo::sim {
namespace {

constexpr int kMaxGarbage = 4;

// Stray bytes that cannot pass for the start of a reply: a fault that produced one would be
// a different fault.
bool startsReply(std::uint8_t b) {
  return b == protocol::kReplyOk || b == protocol::kReplyRefused || b == protocol::kModbusAsciiStart;
}

}  // namespace

FaultInjector::FaultInjector(const FaultPlan& plan, std::uint64_t seed) : plan_(plan), random_(seed) {}

bool FaultInjector::chance(double p) {
  // Always draw, so one fault's probability never shifts the sequence of another's.
  const double u = std::uniform_real_distribution<double>(0, 1)(random_);
  return u < p;
}

FaultDecision FaultInjector::next() {
  FaultDecision d;
  d.drop = chance(plan_.drop);
  d.refuse = chance(plan_.refuse);
  d.corrupt = chance(plan_.corrupt);
  const bool garbage = chance(plan_.garbage);
  const std::uint64_t detail = random_();
  d.delayMs = plan_.delayMs;
  d.echo = plan_.echo;
  if (d.corrupt) {
    d.corruptPick = detail & 0xFFFFFFFFu;
    // The lowest bit: the reply keeps its length and never turns into a refusal, yet every
    // check of the protocol (checksum, LRC, CRC) sees the change.
    d.corruptMask = 0x01;
  }
  if (garbage) {
    const int count = 1 + static_cast<int>((detail >> 32) % kMaxGarbage);
    std::uint64_t bits = random_();
    for (int i = 0; i < count; ++i, bits >>= 8) {
      auto b = static_cast<std::uint8_t>(bits & 0xFF);
      if (startsReply(b)) b ^= 0x40;
      d.garbage.push_back(b);
    }
  }
  return d;
}

}  // namespace zavo::sim
