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
// The page character a register code names in its high byte, the numeric synonyms as '5'/'C'.
constexpr int pageOfCode(std::uint16_t code) {
  const int page = code >> 8;
  return page == kPage5Numeric ? kPage5 : page == kPageCNumeric ? kPageC : page;
}
// Linear register number bases: page '5' 0x000, page 'C' 0x100, every other page 0x200.
inline constexpr int kLinearBase5 = 0x000;
inline constexpr int kLinearBaseC = 0x100;
inline constexpr int kLinearBaseOther = 0x200;

// A drive register named by its page character and its address inside the page.
struct RegisterRef {
  int page = 0;
  int address = 0;
  friend constexpr bool operator==(const RegisterRef&, const RegisterRef&) = default;
};

// The indirect access window: five page-'5' registers through which any word of the
// parameter memory is stored or fetched by its linear number. The older drive types (0, 1)
// have it at 0x70, the M7 family (2-4) at 0xE8.
struct WindowLayout {
  int command = 0;
  int writeAddress = 0;
  int writeData = 0;
  int readAddress = 0;
  int readData = 0;
};
inline constexpr WindowLayout kWindowOlder{0x70, 0x71, 0x72, 0x73, 0x74};
inline constexpr WindowLayout kWindowM7{0xE8, 0xE9, 0xEA, 0xEB, 0xEC};
inline constexpr int kWindowStore = 1;  // command: store write-data at write-address
inline constexpr int kWindowFetch = 2;  // command: fetch read-address into read-data
inline constexpr int kWindowIdle = 0;   // the command register once the drive has carried it out
inline constexpr int kFirstM7DriveType = 2;
constexpr const WindowLayout& windowOf(int driveType) {
  return driveType >= kFirstM7DriveType ? kWindowM7 : kWindowOlder;
}
// Words of the parameter memory (the register image).
inline constexpr int kImageWordsOlder = 256;
inline constexpr int kImageWordsM7 = 512;
constexpr int imageWordsOf(int driveType) {
  return driveType >= kFirstM7DriveType ? kImageWordsM7 : kImageWordsOlder;
}

// Registers the connection reads besides parameters and display values.
inline constexpr RegisterRef kControlModeRegister{'5', 0x10};
inline constexpr RegisterRef kMotorCodeRegister{'5', 0x0C};
inline constexpr RegisterRef kRatedSpeedRegister{'5', 0x47};
inline constexpr RegisterRef kServoOnRegister{'6', 0x66};
inline constexpr RegisterRef kServoStatusRegister{'6', 0x60};
inline constexpr RegisterRef kStatusLongLowRegister{'7', 0x1A};
inline constexpr RegisterRef kStatusLongHighRegister{'7', 0x1B};
inline constexpr RegisterRef kVersionRegister{'C', 0x42};
inline constexpr RegisterRef kVersionMinorRegister{'C', 0x37};
inline constexpr RegisterRef kAuxModelRegister{'D', 0xBE};
// Version flags: a drive whose version register reads below 112 is of the legacy series;
// at exactly 110 the minor register decides the extended monitor (13 or more).
inline constexpr int kLegacyVersionBelow = 112;
inline constexpr int kVersionWithMinor = 110;
inline constexpr int kExtendedMonitorMinorFrom = 13;

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
// The register the Modbus connect reads to see whether a drive answers at its station.
inline constexpr int kModbusProbeRegister = 0x0000;
inline constexpr int kModbusAsciiTryPauseMs = 2;

// Modbus line formats 0-8: data bits, parity (0 none, 1 odd, 2 even, as the port takes it),
// stop bits, and whether the format frames in ASCII (0-5) or RTU (6-8).
struct ModbusFormat {
  int dataBits;
  int parity;
  int stopBits;
  bool ascii;
};
inline constexpr int kParityNone = 0;
inline constexpr int kParityOdd = 1;
inline constexpr int kParityEven = 2;
inline constexpr ModbusFormat kModbusFormats[] = {
    {7, kParityNone, 2, true}, {7, kParityEven, 1, true}, {7, kParityOdd, 1, true},
    {8, kParityNone, 2, true}, {8, kParityEven, 1, true}, {8, kParityOdd, 1, true},
    {8, kParityNone, 2, false}, {8, kParityEven, 1, false}, {8, kParityOdd, 1, false},
};
inline constexpr int kModbusFormatCount = static_cast<int>(sizeof kModbusFormats / sizeof kModbusFormats[0]);

// Result codes of the exchanges.
inline constexpr int kExchangeFailed = 0;
inline constexpr int kExchangeWriteAck = 1;
inline constexpr int kExchangeData = 2;
inline constexpr int kModbusCorrupt = 1;
inline constexpr int kModbusNormal = 2;
inline constexpr int kModbusException = 3;

}  // namespace zavo::protocol
