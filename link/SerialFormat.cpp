#include "link/SerialFormat.h"

#include "link/Protocol.h"

namespace zavo {

SerialFormat modbusFormat(int format) {
  if (format < 0 || format >= protocol::kModbusFormatCount) format = 0;
  const auto& f = protocol::kModbusFormats[format];
  return {f.dataBits == 7 ? CSerial::EData7 : CSerial::EData8, static_cast<CSerial::EParity>(f.parity),
          f.stopBits == 2 ? CSerial::EStop2 : CSerial::EStop1, f.ascii};
}

int characterBits(const SerialFormat& f) {
  return 1 + static_cast<int>(f.data) + (f.parity == CSerial::EParNone ? 0 : 1) + (f.stop == CSerial::EStop2 ? 2 : 1);
}

}  // namespace zavo
