#pragma once
// The length prefix of an archive string: one byte below 255; the byte 0xFF escapes to a
// 16-bit length (below 0xFFFE), and 0xFF 0xFFFF escapes on to a 32-bit length. 0xFFFE after
// the first escape marks a wide-character string and a 32-bit 0xFFFFFFFF a 64-bit length;
// this program writes neither and refuses both on reading.

#include <cstdint>

namespace zavo {

inline constexpr std::uint8_t kArchiveLengthEscape8 = 0xFF;
inline constexpr std::uint16_t kArchiveWideMarker16 = 0xFFFE;
inline constexpr std::uint16_t kArchiveLengthEscape16 = 0xFFFF;
inline constexpr std::uint32_t kArchiveLengthEscape32 = 0xFFFFFFFFu;

}  // namespace zavo
