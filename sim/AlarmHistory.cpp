#include "sim/AlarmHistory.h"

#include "sim/SimConstants.h"

namespace zavo::sim {
AlarmHistory::AlarmHistory(const std::array<RegisterRef, kEntries>& registers)
    : registers_(registers) {}

int AlarmHistory::indexOf(RegisterRef r) const {
  for (int i = 0; i < kEntries; ++i)
    if (pageIndexOf(registers_[i].page) == pageIndexOf(r.page) && registers_[i].address == r.address)
      return i;
  return -1;
}

bool AlarmHistory::claims(RegisterRef r) const { return indexOf(r) >= 0; }

std::optional<std::uint16_t> AlarmHistory::read(RegisterRef r) {
  const int i = indexOf(r);
  if (i < 0) return std::nullopt;
  return codes_[static_cast<std::size_t>(i)];
}

bool AlarmHistory::accepts(RegisterRef r, std::uint16_t value) const {
  return claims(r) && value == kNoAlarm;
}

void AlarmHistory::write(RegisterRef r, std::uint16_t value) {
  if (accepts(r, value)) set(indexOf(r), value);
}

void AlarmHistory::poke(RegisterRef r, std::uint16_t value) {
  const int i = indexOf(r);
  if (i >= 0) set(i, value);
}

void AlarmHistory::setCodes(const Codes& codes) {
  for (int i = 0; i < kEntries; ++i) set(i, codes[static_cast<std::size_t>(i)]);
}

void AlarmHistory::set(int index, std::uint16_t value) {
  auto& slot = codes_[static_cast<std::size_t>(index)];
  if (slot != value) {
    slot = value;
    ++revision_;
  }
}

}  // namespace zavo::sim
