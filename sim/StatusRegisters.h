#pragma once
// What the drive reports about itself: identity and version words, terminal states, the
// display values that follow the motor. Read-only from the line; each register is either a
// fixed word or a formula over the motor's motion at the present moment.

#include <cstdint>
#include <functional>
#include <map>

#include "sim/MotionSource.h"
#include "sim/RegisterRange.h"

namespace zavo::sim {

class StatusRegisters : public RegisterRange {
 public:
  using Formula = std::function<std::uint16_t(const MotionSample&)>;

  explicit StatusRegisters(MotionSource& motion);

  void addFixed(RegisterRef r, std::uint16_t value);
  void addLive(RegisterRef r, Formula formula);

  bool claims(RegisterRef r) const override;
  std::optional<std::uint16_t> read(RegisterRef r) override;
  bool accepts(RegisterRef r, std::uint16_t value) const override;
  void write(RegisterRef r, std::uint16_t value) override;
  // Pins the register to `value`: a live one stops following the motor.
  void poke(RegisterRef r, std::uint16_t value) override;
  void advance(double ms) override;

 private:
  struct Entry {
    std::uint16_t fixed = 0;
    Formula live;  // empty: the fixed word
  };

  MotionSource& motion_;
  MotionSample now_;
  std::map<int, Entry> entries_;  // by register number
};

}  // namespace zavo::sim
