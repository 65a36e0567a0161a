#include "sim/SimOptions.h"

#include "link/Protocol.h"
#include "link/SerialFormat.h"

namespace zavo::sim {
namespace {
constexpr int kDefaultAsciiFormat = 0;
constexpr int kDefaultRtuFormat = 6;
}  // namespace

int SimOptions::effectiveModbusFormat() const {
  if (modbusFormat >= 0 && modbusFormat < protocol::kModbusFormatCount) return modbusFormat;
  return line == LineProtocol::ModbusRtu ? kDefaultRtuFormat : kDefaultAsciiFormat;
}

int SimOptions::bitsPerCharacter() const {
  return characterBits(line == LineProtocol::DriveLink ? kDriveLinkFormat : zavo::modbusFormat(effectiveModbusFormat()));
}

}  // namespace zavo::sim
