#pragma once
// Upper-case hexadecimal digits as both protocols write them into their ASCII frames.

#include <cstdint>

namespace zavo::hex {

inline constexpr char kDigits[] = "0123456789ABCDEF";

// "%02X" of one byte.
inline void put2(std::uint8_t* out, unsigned v) {
  out[0] = static_cast<std::uint8_t>(kDigits[(v >> 4) & 0xF]);
  out[1] = static_cast<std::uint8_t>(kDigits[v & 0xF]);
}

// The last four digits of "%08X": only the low 16 bits of a value travel.
inline void put4(std::uint8_t* out, long v) {
  const auto u = static_cast<unsigned>(static_cast<unsigned long>(v) & 0xFFFFu);
  put2(out, u >> 8);
  put2(out + 2, u & 0xFFu);
}

}  // namespace zavo::hex
