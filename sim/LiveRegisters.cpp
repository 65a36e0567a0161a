#include "sim/LiveRegisters.h"

namespace zavo::sim {

std::size_t LiveRegisters::slot(RegisterRef r) {
  return static_cast<std::size_t>(numberOfRegister(r));
}

bool LiveRegisters::claims(RegisterRef r) const {
  return pageIndexOf(r.page) >= 0 && r.address >= 0 && r.address < kPageSize;
}

std::optional<std::uint16_t> LiveRegisters::read(RegisterRef r) {
  if (!claims(r)) return std::nullopt;
  return words_[slot(r)];
}

bool LiveRegisters::accepts(RegisterRef r, std::uint16_t) const {
  return claims(r) && !readOnly_[slot(r)];
}

void LiveRegisters::write(RegisterRef r, std::uint16_t value) {
  if (accepts(r, value)) words_[slot(r)] = value;
}

void LiveRegisters::poke(RegisterRef r, std::uint16_t value) {
  if (claims(r)) words_[slot(r)] = value;
}

std::uint16_t LiveRegisters::word(RegisterRef r) const { return claims(r) ? words_[slot(r)] : 0; }

void LiveRegisters::setReadOnly(RegisterRef r, bool readOnly) {
  if (claims(r)) readOnly_[slot(r)] = readOnly;
}

}  // namespace zavo::sim
