#pragma once
// Modbus ASCII and RTU framing for the two functions the drive serves: 03 (read holding
// registers) and 06 (write single register). Pure functions; the exchanges over a port are in
// ModbusExchange.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/Frame.h"

namespace zavo::modbus {

struct Request {
  Frame frame;
  std::size_t expectedReply = 0;  // bytes of a normal reply
};

Request readRequest(int station, int startRegister, int count, bool ascii);
Request writeRequest(int station, int reg, int value, bool ascii);

// Standard Modbus CRC-16 (init 0xFFFF, reflected polynomial 0xA001); sent low byte first.
std::uint16_t crc16(const std::uint8_t* bytes, std::size_t count);
// 0x10000 minus the byte sum of the hex pairs of an ASCII frame (its low byte is the LRC).
int lrc(const std::uint8_t* frame, std::size_t length);

// Result codes of the reply checks and exchanges: 0 nothing usable, 1 corrupt (bad character,
// LRC or CRC), 2 normal reply, 3 exception reply.
int checkRtuReply(std::span<const std::uint8_t> reply);
int checkAsciiReply(std::span<const std::uint8_t> reply);

// The 16-bit value of a one-register read reply (function 03); -1 when the reply is too short.
int rtuReadValue(std::span<const std::uint8_t> reply);
int asciiReadValue(std::span<const std::uint8_t> reply);

}  // namespace zavo::modbus
