#pragma once
// Line formats of the link: DriveLink always runs 8N1; Modbus uses one of nine formats.

#include "comtrak/CSerial.h"

namespace zavo {

struct SerialFormat {
  CSerial::EDataBits data;
  CSerial::EParity parity;
  CSerial::EStopBits stop;
  bool ascii;  // the framing the format implies (0-5 ASCII, 6-8 RTU)
};

// Format 0-8 of the Modbus settings; a format above 8 is 0.
SerialFormat modbusFormat(int format);
inline constexpr SerialFormat kDriveLinkFormat{CSerial::EData8, CSerial::EParNone, CSerial::EStop1, false};
// Bits a character takes on the line in the format: start + data + parity + stop.
int characterBits(const SerialFormat& f);

}  // namespace zavo
