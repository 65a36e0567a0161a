// Cutting the line's byte stream into requests: what a drive sees when the line carries noise,
// fragments, back-to-back requests and both protocols at once.

#include <gtest/gtest.h>

#include "link/ModbusCodec.h"
#include "sim/RequestFramer.h"
#include "tests/sim/SimLink.h"

namespace zavo::sim::test {
namespace {

using Clock = RequestFramer::Clock;
constexpr auto kSilence = std::chrono::milliseconds(10);
constexpr auto kStale = std::chrono::milliseconds(100);

std::vector<std::string> framesOf(LineProtocol line, const Bytes& input, Clock::duration after = {}) {
  RequestFramer framer(line, 1, kSilence, kStale);
  const auto t0 = Clock::now();
  framer.feed(input.data(), input.size(), t0);
  std::vector<std::string> out;
  while (auto r = framer.next(t0 + after)) out.push_back(textOf(r->bytes));
  return out;
}

Bytes rtuBytes(const Frame& f) { return Bytes(f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.size)); }

TEST(RequestFramer, DriveLinkStream) {
  struct Case {
    const char* what;
    std::string input;
    std::vector<std::string> frames;
  } cases[] = {
      {"two requests back to back", "R6CB0DW5100002E9", {"R6CB0D", "W5100002E9"}},
      {"noise before a request is skipped", "\x01xyz\r\nR6CB0D", {"R6CB0D"}},
      {"a block read sized by its count", "B20C4209F632", {"B20C4209F632"}},
      {"a bad count character starts nothing", "BZR6CB0D", {"R6CB0D"}},
      {"an unfinished request waits", "R6C", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(framesOf(LineProtocol::DriveLink, bytesOf(c.input)), c.frames);
  }
}

TEST(RequestFramer, AFragmentIsForgottenAfterQuiet) {
  RequestFramer framer(LineProtocol::DriveLink, 1, kSilence, kStale);
  const auto t0 = Clock::now();
  framer.feed(reinterpret_cast<const std::uint8_t*>("R6"), 2, t0);
  EXPECT_FALSE(framer.next(t0 + kStale / 2));
  EXPECT_EQ(framer.pending(), 2u);
  EXPECT_FALSE(framer.next(t0 + kStale));
  EXPECT_EQ(framer.pending(), 0u) << "a stray 'R6' must not swallow the next request";
  framer.feed(reinterpret_cast<const std::uint8_t*>("R6CB0D"), 6, t0 + kStale);
  const auto r = framer.next(t0 + kStale);
  ASSERT_TRUE(r);
  EXPECT_EQ(textOf(r->bytes), "R6CB0D");
}

TEST(RequestFramer, ModbusAsciiAndDriveLinkSideBySide) {
  const Frame read = modbus::readRequest(1, 1, 1, true).frame;
  const std::string modbusText = read.text();
  EXPECT_EQ(framesOf(LineProtocol::ModbusAscii, bytesOf("junk" + modbusText + "R6CB0D")),
            (std::vector<std::string>{modbusText, "R6CB0D"}));
  EXPECT_EQ(framesOf(LineProtocol::ModbusAscii, bytesOf(":0103" + modbusText)), std::vector<std::string>{modbusText})
      << "a frame cut off by a new ':' is dropped";
  EXPECT_EQ(framesOf(LineProtocol::ModbusAscii, bytesOf(":" + std::string(600, '0'))), std::vector<std::string>{})
      << "no frame grows without end";
}

TEST(RequestFramer, ModbusRtuLengthsAndSilence) {
  const Bytes read = rtuBytes(modbus::readRequest(1, 1, 1, false).frame);
  const Bytes otherStation = rtuBytes(modbus::readRequest(7, 1, 1, false).frame);
  // Noise, our station's number as a stray byte, another station's request, then ours.
  Bytes stream = bytesOf("\x09\x01");
  stream.insert(stream.end(), otherStation.begin(), otherStation.end());
  stream.insert(stream.end(), read.begin(), read.end());
  stream.insert(stream.end(), {'R', '6', 'C', 'B', '0', 'D'});
  const auto frames = framesOf(LineProtocol::ModbusRtu, stream);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(bytesOf(frames[0]), otherStation) << "passes whole, for the drive to ignore";
  EXPECT_EQ(bytesOf(frames[1]), read);
  EXPECT_EQ(frames[2], "R6CB0D");

  // Write-multiple carries its byte count; an unknown function ends where the line goes quiet.
  Bytes multiple{1, 0x10, 0, 1, 0, 1, 2, 0, 5};
  const std::uint16_t crc = modbus::crc16(multiple.data(), multiple.size());
  multiple.insert(multiple.end(), {static_cast<std::uint8_t>(crc & 0xFF), static_cast<std::uint8_t>(crc >> 8)});
  EXPECT_EQ(framesOf(LineProtocol::ModbusRtu, multiple), std::vector<std::string>{textOf(multiple)});
  const Bytes unknown{1, 0x2B, 0x0E, 0x01, 0x00, 0x70, 0x77};
  EXPECT_TRUE(framesOf(LineProtocol::ModbusRtu, unknown).empty());
  const auto ended = framesOf(LineProtocol::ModbusRtu, unknown, kSilence);
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(bytesOf(ended[0]), unknown);
}

}  // namespace
}  // namespace zavo::sim::test
