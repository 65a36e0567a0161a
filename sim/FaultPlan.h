#pragma once
// How the virtual drive misbehaves on purpose: the --faults list
// "drop=P,corrupt=P,refuse=P,garbage=P,delay-ms=N,unplug-after=N,replug-ms=M,refuse-reg=REG,echo".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Register.h"

namespace zavo::sim {

struct FaultPlan {
  double drop = 0;      // probability of no reply at all
  double corrupt = 0;   // of a reply with one byte flipped
  double refuse = 0;    // of the refusal instead of the reply
  double garbage = 0;   // of stray bytes before the reply
  int delayMs = 0;      // every reply this much late
  int unplugAfter = 0;  // close the line after this many requests (0: never)
  int replugMs = -1;    // open a new line this long after the unplug (-1: never)
  // Every request comes back to the program before the reply, as on a two-wire adapter
  // without echo suppression. "echo", without a value.
  bool echo = false;
  // Registers whose writes the drive refuses, every time: a direct write (W, or a pair of a
  // multi-write) and a window store to the register's linear number answer the refusal.
  // Reads are served as ever. "refuse-reg=C27", repeated for more.
  std::vector<RegisterRef> refusedRegisters;

  bool any() const;
  // nullopt with `error` set when the list does not parse.
  static std::optional<FaultPlan> parse(std::string_view text, std::string* error = nullptr);
  std::string text() const;
};

}  // namespace zavo::sim
