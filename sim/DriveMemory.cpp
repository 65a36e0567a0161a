#include "sim/DriveMemory.h"

namespace zavo::sim {

RegisterRange& DriveMemory::owner(RegisterRef r) {
  for (auto& range : ranges_)
    if (range->claims(r)) return *range;
  return live_;
}

const RegisterRange& DriveMemory::owner(RegisterRef r) const {
  for (const auto& range : ranges_)
    if (range->claims(r)) return *range;
  return live_;
}

std::optional<std::uint16_t> DriveMemory::read(RegisterRef r) { return owner(r).read(r); }

bool DriveMemory::accepts(RegisterRef r, std::uint16_t value) const {
  return !refused(r) && owner(r).accepts(r, value);
}

bool DriveMemory::write(RegisterRef r, std::uint16_t value) {
  RegisterRange& range = owner(r);
  if (refused(r) || !range.accepts(r, value)) return false;
  range.write(r, value);
  return true;
}

void DriveMemory::poke(RegisterRef r, std::uint16_t value) { owner(r).poke(r, value); }

void DriveMemory::advance(double ms) {
  for (auto& range : ranges_) range->advance(ms);
}

}  // namespace zavo::sim
