#pragma once
// The alarm history: the current alarm and the nine before it, one register each. The drive
// lets the program clear an entry (write 0) but never set one: alarms come from the drive.

#include <array>
#include <cstdint>

#include "sim/RegisterRange.h"

namespace zavo::sim {

class AlarmHistory : public RegisterRange {
 public:
  static constexpr int kEntries = 10;
  using Codes = std::array<std::uint16_t, kEntries>;

  explicit AlarmHistory(const std::array<RegisterRef, kEntries>& registers);

  bool claims(RegisterRef r) const override;
  std::optional<std::uint16_t> read(RegisterRef r) override;
  bool accepts(RegisterRef r, std::uint16_t value) const override;
  void write(RegisterRef r, std::uint16_t value) override;
  void poke(RegisterRef r, std::uint16_t value) override;

  const Codes& codes() const { return codes_; }
  void setCodes(const Codes& codes);
  // Counts changes, so the owner can tell when to save.
  std::uint64_t revision() const { return revision_; }

 private:
  int indexOf(RegisterRef r) const;
  void set(int index, std::uint16_t value);

  std::array<RegisterRef, kEntries> registers_;
  Codes codes_{};
  std::uint64_t revision_ = 0;
};

}  // namespace zavo::sim
