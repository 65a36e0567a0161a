#include <gtest/gtest.h>

#include "link/ModbusCodec.h"
#include "tests/support/PtyPeer.h"

namespace zavo::modbus {
namespace {

using test::Bytes;
using test::bytesOf;

std::string hex(const Frame& f) {
  std::string s;
  char b[4];
  for (std::size_t i = 0; i < f.size; ++i) {
    std::snprintf(b, sizeof b, i ? " %02X" : "%02X", f.bytes[i]);
    s += b;
  }
  return s;
}

Bytes withCrc(Bytes b) {
  const auto crc = crc16(b.data(), b.size());
  b.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  b.push_back(static_cast<std::uint8_t>(crc >> 8));
  return b;
}

TEST(ModbusFrames, ReadRequestsMatchTheWire) {
  const auto rtu = readRequest(1, 0, 1, false);
  EXPECT_EQ(hex(rtu.frame), "01 03 00 00 00 01 84 0A");
  EXPECT_EQ(rtu.expectedReply, 7u);
  const auto ascii = readRequest(1, 0, 1, true);
  EXPECT_EQ(ascii.frame.text(), ":010300000001FB\r\n");
  EXPECT_EQ(ascii.expectedReply, 15u);
  EXPECT_EQ(readRequest(1, 0x300, 4, true).expectedReply, 27u);
  EXPECT_EQ(readRequest(1, 0x300, 4, false).expectedReply, 13u);
}

TEST(ModbusFrames, WriteRequestsCarryTheValue) {
  const auto rtu = writeRequest(0x11, 0x0001, 0x0003, false);
  // The classic reference frame: 11 06 00 01 00 03 9A 9B.
  EXPECT_EQ(hex(rtu.frame), "11 06 00 01 00 03 9A 9B");
  EXPECT_EQ(rtu.expectedReply, 8u);
  const auto ascii = writeRequest(1, 0x0201, -1, true);
  EXPECT_EQ(ascii.frame.text(), ":01060201FFFFF8\r\n");
  EXPECT_EQ(ascii.expectedReply, 17u);
}

TEST(ModbusChecks, CrcAndLrcFollowTheStandard) {
  EXPECT_EQ(crc16(nullptr, 0), 0xFFFF);
  const std::uint8_t one[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x01};
  EXPECT_EQ(crc16(one, 6), 0x0A84);
  const auto f = bytesOf(":010300000001FB\r\n");
  EXPECT_EQ(lrc(f.data(), f.size()) & 0xFF, 0xFB);
}

TEST(ModbusChecks, RtuRepliesAreClassified) {
  EXPECT_EQ(checkRtuReply({}), 0);
  EXPECT_EQ(checkRtuReply(Bytes{0x01}), 0);
  const auto good = withCrc({0x01, 0x03, 0x02, 0x12, 0x34});
  EXPECT_EQ(checkRtuReply(good), 2);
  EXPECT_EQ(rtuReadValue(good), 0x1234);
  auto bad = good;
  bad[3] ^= 0x01;
  EXPECT_EQ(checkRtuReply(bad), 1);
  EXPECT_EQ(checkRtuReply(withCrc({0x01, 0x83, 0x02})), 3);
  // Two bytes are all CRC: nothing to say which function answered.
  EXPECT_EQ(checkRtuReply(withCrc({})), 1);
}

TEST(ModbusChecks, AsciiRepliesAreClassified) {
  // Station 1, function 3, 2 bytes, 0x1234: sum 0x01+0x03+0x02+0x12+0x34 = 0x4C -> LRC B4.
  EXPECT_EQ(checkAsciiReply(bytesOf(":010302123 4B4\r\n")), 1);  // a blank is not hex
  const auto good = bytesOf(":0103021234B4\r\n");
  EXPECT_EQ(checkAsciiReply(good), 2);
  EXPECT_EQ(asciiReadValue(good), 0x1234);
  EXPECT_EQ(checkAsciiReply(bytesOf(":0103021234B5\r\n")), 1);
  EXPECT_EQ(checkAsciiReply(bytesOf(":0103021234b4\r\n")), 1);  // lower case is rejected
  // Exception: 01 83 02, sum 0x86 -> LRC 7A.
  EXPECT_EQ(checkAsciiReply(bytesOf(":0183027A\r\n")), 3);
  EXPECT_EQ(checkAsciiReply(bytesOf("0103021234B4\r\n")), 0);
  for (const char* tiny : {":", ":0", ":01", ":010", ":0103"})
    EXPECT_EQ(checkAsciiReply(bytesOf(tiny)), 1) << tiny;
}

}  // namespace
}  // namespace zavo::modbus
