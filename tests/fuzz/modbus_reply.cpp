// Arbitrary bytes as Modbus ASCII and RTU replies: the checks and value readers stay inside.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/ModbusCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> reply(data, data + size);
  const int a = zavo::modbus::checkAsciiReply(reply);
  const int r = zavo::modbus::checkRtuReply(reply);
  if (a == 2) (void)zavo::modbus::asciiReadValue(reply);
  if (r == 2) (void)zavo::modbus::rtuReadValue(reply);
  (void)zavo::modbus::lrc(reply.data(), reply.size());
  (void)zavo::modbus::crc16(reply.data(), reply.size());
  return 0;
}
