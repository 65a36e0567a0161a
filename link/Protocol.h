#pragma once
// Every constant of the drive's two protocols, in one place.

#include <cstddef>
#include <cstdint>

namespace zavo::protocol {

// DriveLink request and reply characters.
inline constexpr std::uint8_t kRead = 'R';
inline constexpr std::uint8_t kWrite = 'W';
inline constexpr std::uint8_t kBlockRead = 'B';
inline constexpr std::uint8_t kMultiWrite = 'P';
inline constexpr std::uint8_t kWriteClassM = 'M';  // write-class request no builder makes
inline constexpr std::uint8_t kReplyOk = '%';
inline constexpr std::uint8_t kReplyRefused = '!';

inline constexpr std::size_t kReadRequestLength = 6;
inline constexpr std::size_t kWriteRequestLength = 10;
inline constexpr std::size_t kReadReplyLength = 7;
inline constexpr std::size_t kWriteReplyLength = 1;
inline constexpr std::size_t kMaxBlockCount = 9;

// Page characters, and the two numeric synonyms the catalogue also uses.
inline constexpr int kPage5 = '5';
inline constexpr int kPageC = 'C';
inline constexpr int kPage5Numeric = 0x05;
inline constexpr int kPageCNumeric = 0x0C;
// Linear register number bases: page '5' 0x000, page 'C' 0x100, every other page 0x200.
inline constexpr int kLinearBase5 = 0x000;
inline constexpr int kLinearBaseC = 0x100;
inline constexpr int kLinearBaseOther = 0x200;

// Modbus.
inline constexpr std::uint8_t kModbusReadHolding = 0x03;
inline constexpr std::uint8_t kModbusWriteSingle = 0x06;
inline constexpr std::uint8_t kModbusExceptionBit = 0x80;
inline constexpr std::uint8_t kModbusAsciiStart = ':';
inline constexpr std::size_t kModbusAsciiRequestLength = 17;
inline constexpr std::size_t kModbusRtuRequestLength = 8;
inline constexpr std::size_t kModbusAsciiWriteReplyLength = 17;
inline constexpr std::size_t kModbusRtuWriteReplyLength = 8;
inline constexpr std::uint16_t kCrcInit = 0xFFFF;
inline constexpr std::uint16_t kCrcPolynomial = 0xA001;
inline constexpr unsigned long kModbusAsciiWriteTimeoutMs = 800;
inline constexpr int kModbusAsciiTryPauseMs = 2;

// Result codes of the exchanges.
inline constexpr int kExchangeFailed = 0;
inline constexpr int kExchangeWriteAck = 1;
inline constexpr int kExchangeData = 2;
inline constexpr int kModbusCorrupt = 1;
inline constexpr int kModbusNormal = 2;
inline constexpr int kModbusException = 3;

}  // namespace zavo::protocol
