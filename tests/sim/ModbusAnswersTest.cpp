// The Modbus answers of the virtual drive in both framings, through the program's port and
// the project's Modbus exchanges.

#include <gtest/gtest.h>

#include "link/DriveLinkCodec.h"
#include "link/ModbusCodec.h"
#include "link/ModbusExchange.h"
#include "link/Protocol.h"
#include "tests/sim/SimLink.h"

namespace zavo::sim::test {
namespace {

constexpr int kStation = 1;
constexpr int kCn001 = 0x0001;  // group 'C' base 0 + number 1
constexpr int kUn01 = 0x0601;   // group 'U' base 0x600 + number 1
constexpr int kNoParameter = 0x00FF;
constexpr unsigned long kRtuTimeoutMs = 300;

std::string hexOf(const std::uint8_t* b, std::size_t n) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, i ? " %02X" : "%02X", b[i]);
    out += pair;
  }
  return out;
}

// An RTU frame of any function, CRC appended.
Frame rtuFrame(std::initializer_list<std::uint8_t> body) {
  Frame f;
  for (const auto b : body) f.bytes[f.size++] = b;
  const std::uint16_t crc = modbus::crc16(f.data(), f.size);
  f.bytes[f.size++] = static_cast<std::uint8_t>(crc & 0xFF);
  f.bytes[f.size++] = static_cast<std::uint8_t>(crc >> 8);
  return f;
}

SimOptions modbusOptions(LineProtocol line) {
  SimOptions o;
  o.line = line;
  o.station = kStation;
  return o;
}

struct Result {
  int code = 0;
  std::string reply;
};

Result rtu(SimLink& link, const Frame& request) {
  std::uint8_t reply[64];
  std::size_t got = 0;
  const int code = modbus::rtuExchange(link.port, request, reply, sizeof reply, kRtuTimeoutMs, &got);
  return {code, hexOf(reply, got)};
}

Result ascii(SimLink& link, const Frame& request) {
  std::uint8_t reply[64];
  std::size_t got = 0;
  const int code = modbus::asciiExchange(link.port, request, reply, sizeof reply, 1, &got);
  std::string text(reply, reply + got);
  std::string shown;
  for (const char c : text) shown += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return {code, shown};
}

TEST(ModbusRtu, ReadsWritesAndExceptionsByteForByte) {
  SimLink link(modbusOptions(LineProtocol::ModbusRtu));
  struct Case {
    const char* what;
    Frame request;
    int code;
    std::string reply;
  } cases[] = {
      {"read Cn001", modbus::readRequest(kStation, kCn001, 1, false).frame, 2, "01 03 02 00 02 39 85"},
      {"the connect probe: register 0 holds the software version", modbus::readRequest(kStation, 0x0000, 1, false).frame,
       2, "01 03 02 00 7D 78 65"},
      {"register without a parameter", modbus::readRequest(kStation, kNoParameter, 1, false).frame, 3,
       "01 83 02 C0 F1"},
      {"function 04 is not served", rtuFrame({kStation, 0x04, 0x00, 0x01, 0x00, 0x01}), 3, "01 84 01 82 C0"},
      {"write Cn001", modbus::writeRequest(kStation, kCn001, 5, false).frame, 2, "01 06 00 01 00 05 18 09"},
      {"read it back: Cn001 is taken at the next start, the running value stays",
       modbus::readRequest(kStation, kCn001, 1, false).frame, 2, "01 03 02 00 02 39 85"},
      {"a display value takes no write", modbus::writeRequest(kStation, kUn01, 1, false).frame, 3, "01 86 02 C3 A1"},
      {"another station: silence", modbus::readRequest(kStation + 1, kCn001, 1, false).frame, 0, ""},
      {"bad CRC: silence", [] {
         Frame f = modbus::readRequest(kStation, kCn001, 1, false).frame;
         f.bytes[7] ^= 0xFF;
         return f;
       }(), 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Result r = rtu(link, c.request);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.reply, c.reply);
  }
  EXPECT_EQ(link.drive.storedParameter("Cn001"), 5) << "a Modbus write is kept";
  EXPECT_EQ(link.drive.liveParameter("Cn001"), 2) << "and a store-only parameter runs after the next start";
  link.drive.powerCycle();
  EXPECT_EQ(link.drive.liveParameter("Cn001"), 5);
  EXPECT_EQ(link.drive.count(RequestKind::OtherStation), 1);
  EXPECT_EQ(link.drive.count(RequestKind::ModbusOther), 1);
}

TEST(ModbusRtu, MultiRegisterReadsDisplayValuesAndBroadcast) {
  SimLink link(modbusOptions(LineProtocol::ModbusRtu));
  std::uint8_t reply[64];
  std::size_t got = 0;
  ASSERT_EQ(modbus::rtuExchange(link.port, modbus::readRequest(kStation, kCn001, 3, false).frame, reply, sizeof reply,
                                kRtuTimeoutMs, &got),
            2);
  ASSERT_EQ(got, 11u);
  EXPECT_EQ(reply[2], 6);
  EXPECT_EQ((reply[3] << 8) | reply[4], link.read('5', 0x10));
  EXPECT_EQ((reply[7] << 8) | reply[8], link.read('5', 0x11));
  EXPECT_EQ(modbus::rtuExchange(link.port, modbus::readRequest(kStation, kUn01, 1, false).frame, reply, sizeof reply,
                                kRtuTimeoutMs, &got),
            2)
      << "display values read through Modbus too";
  EXPECT_EQ(rtu(link, modbus::readRequest(kStation, kCn001, 126, false).frame).reply, "01 83 03 01 31")
      << "more than a reply frame holds";
  // Station 0: everyone takes the write, no one answers.
  EXPECT_EQ(rtu(link, modbus::writeRequest(0, kCn001, 3, false).frame).code, 0);
  EXPECT_EQ(link.drive.storedParameter("Cn001"), 3);
}

TEST(ModbusAscii, ReadsWritesAndExceptionsByteForByte) {
  SimLink link(modbusOptions(LineProtocol::ModbusAscii));
  EXPECT_EQ(ascii(link, modbus::readRequest(kStation, kCn001, 1, true).frame).reply, ":0103020002F8\\r\\n");
  EXPECT_EQ(ascii(link, modbus::writeRequest(kStation, kCn001, 5, true).frame).reply, ":010600010005F3\\r\\n");
  const Result exception = ascii(link, modbus::readRequest(kStation, kNoParameter, 1, true).frame);
  EXPECT_EQ(exception.code, 3);
  EXPECT_EQ(exception.reply, ":0183027A\\r\\n");
  EXPECT_EQ(ascii(link, modbus::readRequest(kStation + 1, kCn001, 1, true).frame).code, 0);
  Frame badLrc = modbus::readRequest(kStation, kCn001, 1, true).frame;
  badLrc.bytes[13] = badLrc.bytes[13] == '0' ? '1' : '0';
  EXPECT_EQ(ascii(link, badLrc).code, 0);
  EXPECT_EQ(link.drive.count(RequestKind::Malformed), 1);
}

TEST(ModbusModes, DriveLinkIsStillAnswered) {
  for (const LineProtocol line : {LineProtocol::ModbusAscii, LineProtocol::ModbusRtu}) {
    SimLink link(modbusOptions(line));
    const auto reply = link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength);
    ASSERT_TRUE(reply);
    EXPECT_EQ(textOf(*reply), "%0001E6");
  }
}

TEST(ModbusModes, AStationThatSpellsADriveLinkLetterStillGetsRtu) {
  // Station 82 is 'R' on the line: the second byte tells an RTU frame from a read request.
  SimOptions o = modbusOptions(LineProtocol::ModbusRtu);
  o.station = 'R';
  SimLink link(o);
  EXPECT_EQ(rtu(link, modbus::readRequest('R', kCn001, 1, false).frame).code, 2);
  ASSERT_TRUE(link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength));
}

}  // namespace
}  // namespace zavo::sim::test
