#pragma once
// Draws, request by request, which of the configured faults strike. The draws come from one
// generator seeded with --seed and are taken in the same order for every request, so the
// same seed and the same requests give the same faults.

#include <cstdint>
#include <random>

#include "sim/FaultPlan.h"
#include "sim/RequestKind.h"

namespace zavo::sim {

struct FaultDecision {
  bool drop = false;
  bool refuse = false;
  bool corrupt = false;
  std::uint64_t corruptPick = 0;  // which byte of the reply, modulo its length
  std::uint8_t corruptMask = 0;
  Bytes garbage;              // sent before the reply
  int delayMs = 0;
  bool echo = false;  // the request goes back to the program before the reply
};

class FaultInjector {
 public:
  FaultInjector(const FaultPlan& plan, std::uint64_t seed);

  const FaultPlan& plan() const { return plan_; }
  // The faults for the next request.
  FaultDecision next();

 private:
  bool chance(double p);

  FaultPlan plan_;
  std::mt19937_64 random_;
};

}  // namespace zavo::sim
