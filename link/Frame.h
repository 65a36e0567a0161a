#pragma once
// A request frame as it goes on the wire. The largest frame the link builds is a nine-pair
// multi-write (76 bytes), so a fixed buffer holds every frame without allocation.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zavo {

struct Frame {
  static constexpr std::size_t kCapacity = 80;
  std::array<std::uint8_t, kCapacity> bytes{};
  std::size_t size = 0;

  std::uint8_t* data() { return bytes.data(); }
  const std::uint8_t* data() const { return bytes.data(); }
  std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
  bool empty() const { return size == 0; }
  std::string text() const { return std::string(bytes.begin(), bytes.begin() + static_cast<long>(size)); }
};

}  // namespace zavo
