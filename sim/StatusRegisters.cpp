#include "sim/StatusRegisters.h"

namespace zavo::sim {

StatusRegisters::StatusRegisters(MotionSource& motion) : motion_(motion), now_(motion.sampleAt(0)) {}

void StatusRegisters::addFixed(RegisterRef r, std::uint16_t value) {
  entries_[numberOfRegister(r)] = Entry{value, {}};
}

void StatusRegisters::addLive(RegisterRef r, Formula formula) {
  entries_[numberOfRegister(r)] = Entry{0, std::move(formula)};
}

bool StatusRegisters::claims(RegisterRef r) const {
  return pageIndexOf(r.page) >= 0 && entries_.count(numberOfRegister(r)) != 0;
}

std::optional<std::uint16_t> StatusRegisters::read(RegisterRef r) {
  const auto it = entries_.find(numberOfRegister(r));
  if (pageIndexOf(r.page) < 0 || it == entries_.end()) return std::nullopt;
  const Entry& e = it->second;
  return e.live ? e.live(now_) : e.fixed;
}

bool StatusRegisters::accepts(RegisterRef, std::uint16_t) const { return false; }

void StatusRegisters::write(RegisterRef, std::uint16_t) {}

void StatusRegisters::poke(RegisterRef r, std::uint16_t value) {
  const auto it = entries_.find(numberOfRegister(r));
  if (pageIndexOf(r.page) >= 0 && it != entries_.end()) it->second = Entry{value, {}};
}

void StatusRegisters::advance(double ms) { now_ = motion_.sampleAt(ms); }

}  // namespace zavo::sim
