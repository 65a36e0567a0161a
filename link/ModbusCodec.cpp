#include "link/ModbusCodec.h"

#include "link/DriveLinkCodec.h"
#include "link/HexDigits.h"
#include "link/Protocol.h"

namespace zavo::modbus {
namespace {

using hex::put2;
using hex::put4;

// Upper-case hex digit for the LRC of a request: anything else counts as 0.
int lenientDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

int strictDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Request build(int station, std::uint8_t function, int reg, int data, bool ascii,
              std::size_t expected) {
  Request r;
  r.expectedReply = expected;
  Frame& f = r.frame;
  const unsigned st = static_cast<unsigned>(station) & 0xFF;
  const unsigned rg = static_cast<unsigned>(reg) & 0xFFFF;
  const unsigned dt = static_cast<unsigned>(data) & 0xFFFF;
  if (ascii) {
    f.size = protocol::kModbusAsciiRequestLength;
    f.bytes[0] = protocol::kModbusAsciiStart;
    put2(&f.bytes[1], st);
    put2(&f.bytes[3], function);
    put4(&f.bytes[5], rg);
    put4(&f.bytes[9], dt);
    put2(&f.bytes[13], static_cast<unsigned>(lrc(f.data(), f.size)) & 0xFF);
    f.bytes[15] = '\r';
    f.bytes[16] = '\n';
  } else {
    f.size = protocol::kModbusRtuRequestLength;
    f.bytes[0] = static_cast<std::uint8_t>(st);
    f.bytes[1] = function;
    f.bytes[2] = static_cast<std::uint8_t>(rg >> 8);
    f.bytes[3] = static_cast<std::uint8_t>(rg & 0xFF);
    f.bytes[4] = static_cast<std::uint8_t>(dt >> 8);
    f.bytes[5] = static_cast<std::uint8_t>(dt & 0xFF);
    const std::uint16_t crc = crc16(f.data(), 6);
    f.bytes[6] = static_cast<std::uint8_t>(crc & 0xFF);
    f.bytes[7] = static_cast<std::uint8_t>(crc >> 8);
  }
  return r;
}

}  // namespace

Request readRequest(int station, int startRegister, int count, bool ascii) {
  const auto n = static_cast<std::size_t>(count < 0 ? 0 : count);
  return build(station, protocol::kModbusReadHolding, startRegister, count, ascii,
               ascii ? 4 * n + 11 : 2 * n + 5);
}

Request writeRequest(int station, int reg, int value, bool ascii) {
  return build(station, protocol::kModbusWriteSingle, reg, value, ascii,
               ascii ? protocol::kModbusAsciiWriteReplyLength : protocol::kModbusRtuWriteReplyLength);
}

std::uint16_t crc16(const std::uint8_t* bytes, std::size_t count) {
  std::uint16_t crc = protocol::kCrcInit;
  if (!bytes) return crc;
  for (std::size_t i = 0; i < count; ++i) {
    crc ^= bytes[i];
    for (int b = 0; b < 8; ++b) crc = (crc & 1u) ? static_cast<std::uint16_t>((crc >> 1) ^ protocol::kCrcPolynomial)
                                                 : static_cast<std::uint16_t>(crc >> 1);
  }
  return crc;
}

int lrc(const std::uint8_t* frame, std::size_t length) {
  if (!frame || length < 5) return 0x10000;
  const std::size_t pairs = (length - 5) / 2;
  int sum = 0;
  for (std::size_t i = 0; i < pairs; ++i)
    sum += lenientDigit(frame[1 + 2 * i]) * 16 + lenientDigit(frame[2 + 2 * i]);
  return 0x10000 - sum;
}

int checkRtuReply(std::span<const std::uint8_t> reply) {
  if (reply.size() < 2) return 0;
  const std::size_t body = reply.size() - 2;
  const std::uint16_t crc = crc16(reply.data(), body);
  if (reply[body] != (crc & 0xFF) || reply[body + 1] != (crc >> 8)) return protocol::kModbusCorrupt;
  if (reply.size() < 3) return protocol::kModbusCorrupt;  // a CRC with no function byte
  return (reply[1] & protocol::kModbusExceptionBit) ? protocol::kModbusException
                                                     : protocol::kModbusNormal;
}

int checkAsciiReply(std::span<const std::uint8_t> reply) {
  if (reply.empty() || reply[0] != protocol::kModbusAsciiStart) return 0;
  // The shortest frame that has a function code and an LRC before CR LF: ":SSFFLL\r\n".
  if (reply.size() < 9) return protocol::kModbusCorrupt;
  const std::size_t n = reply.size();
  const std::size_t pairs = (n - 5) / 2;
  unsigned sum = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    const int hi = strictDigit(reply[1 + 2 * i]);
    const int lo = strictDigit(reply[2 + 2 * i]);
    if (hi < 0 || lo < 0) return protocol::kModbusCorrupt;
    sum += static_cast<unsigned>(hi * 16 + lo);
  }
  const unsigned expect = (0x10000u - sum) & 0xFFu;
  if (reply[n - 4] != hex::kDigits[expect >> 4] || reply[n - 3] != hex::kDigits[expect & 0xF])
    return protocol::kModbusCorrupt;
  return reply[3] >= '8' ? protocol::kModbusException : protocol::kModbusNormal;
}

int rtuReadValue(std::span<const std::uint8_t> reply) {
  if (reply.size() < 5) return -1;
  return (reply[3] << 8) | reply[4];
}

int asciiReadValue(std::span<const std::uint8_t> reply) {
  if (reply.size() < 11) return -1;
  const int v = drivelink::hexValue16(&reply[7]);
  for (std::size_t i = 7; i < 11; ++i)
    if (drivelink::hexDigit(reply[i]) < 0) return -1;
  return v;
}

}  // namespace zavo::modbus
