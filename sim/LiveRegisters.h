#pragma once
// The drive's working registers that no engine computes: every page, every address, plain
// words. Parameters live here while the drive runs (a direct write changes the running value,
// not the stored one); a few words are fixed facts of the drive and refuse writes.

#include <array>
#include <bitset>
#include <cstdint>

#include "sim/RegisterRange.h"

namespace zavo::sim {

class LiveRegisters : public RegisterRange {
 public:
  bool claims(RegisterRef r) const override;
  std::optional<std::uint16_t> read(RegisterRef r) override;
  bool accepts(RegisterRef r, std::uint16_t value) const override;
  void write(RegisterRef r, std::uint16_t value) override;
  void poke(RegisterRef r, std::uint16_t value) override;

  std::uint16_t word(RegisterRef r) const;
  void setReadOnly(RegisterRef r, bool readOnly = true);

 private:
  static constexpr std::size_t kWords = static_cast<std::size_t>(kPageCount) * kPageSize;
  static std::size_t slot(RegisterRef r);

  std::array<std::uint16_t, kWords> words_{};
  std::bitset<kWords> readOnly_;
};

}  // namespace zavo::sim
