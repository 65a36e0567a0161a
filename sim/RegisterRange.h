#pragma once
// One engine of the virtual drive that owns a set of registers: the access window, the alarm
// history, the display values, and later the trace memory and the tuning state machines. The
// drive's memory asks its ranges in order; the first that claims a register serves it.

#include <cstdint>
#include <optional>

#include "sim/Register.h"

namespace zavo::sim {

class RegisterRange {
 public:
  virtual ~RegisterRange() = default;

  virtual bool claims(RegisterRef r) const = 0;
  // A read from the line; nullopt when the drive refuses it.
  virtual std::optional<std::uint16_t> read(RegisterRef r) = 0;
  // Whether a write from the line would be taken, without taking it (a multi-write is
  // checked whole before any of its pairs lands).
  virtual bool accepts(RegisterRef r, std::uint16_t value) const = 0;
  // A write from the line that `accepts` allowed.
  virtual void write(RegisterRef r, std::uint16_t value) = 0;
  // A value set by whoever runs the simulation (tests, the state file): never refused, and
  // it overrides whatever the engine would compute.
  virtual void poke(RegisterRef r, std::uint16_t value) = 0;
  // Time since power-on moved on to `ms`; engines that evolve on their own follow it.
  virtual void advance(double /*ms*/) {}
};

}  // namespace zavo::sim
