#include "link/SerialFormat.h"

#include <array>

namespace zavo {

SerialFormat modbusFormat(int format) {
  using S = CSerial;
  static constexpr std::array<SerialFormat, kModbusFormatCount> kFormats{{
      {S::EData7, S::EParNone, S::EStop2, true},
      {S::EData7, S::EParEven, S::EStop1, true},
      {S::EData7, S::EParOdd, S::EStop1, true},
      {S::EData8, S::EParNone, S::EStop2, true},
      {S::EData8, S::EParEven, S::EStop1, true},
      {S::EData8, S::EParOdd, S::EStop1, true},
      {S::EData8, S::EParNone, S::EStop2, false},
      {S::EData8, S::EParEven, S::EStop1, false},
      {S::EData8, S::EParOdd, S::EStop1, false},
  }};
  if (format < 0 || format >= kModbusFormatCount) format = 0;
  return kFormats[static_cast<std::size_t>(format)];
}

int characterBits(const SerialFormat& f) {
  return 1 + static_cast<int>(f.data) + (f.parity == CSerial::EParNone ? 0 : 1) + (f.stop == CSerial::EStop2 ? 2 : 1);
}

}  // namespace zavo
