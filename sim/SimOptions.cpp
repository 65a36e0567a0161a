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

std::vector<StationSetup> SimOptions::drives() const {
  const std::vector<int> stations = busStations.empty() ? std::vector<int>{station} : busStations;
  std::vector<StationSetup> out;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    StationSetup d;
    d.station = stations[i];
    d.driveType = busDriveTypes.size() > i ? busDriveTypes[i] : driveType;
    d.baud = bauds.empty() ? 0 : bauds.size() > i ? bauds[i] : bauds.front();
    out.push_back(d);
  }
  return out;
}

int SimOptions::bitsPerCharacter() const {
  return characterBits(line == LineProtocol::DriveLink ? kDriveLinkFormat : zavo::modbusFormat(effectiveModbusFormat()));
}

}  // namespace zavo::sim
