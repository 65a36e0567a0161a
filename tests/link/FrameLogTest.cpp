// The frame log against the virtual drive's own log of what it saw and sent, on each line
// protocol, with and without a line that echoes every request.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "link/DriveLinkCodec.h"
#include "link/FrameLog.h"
#include "link/LinkSession.h"
#include "sim/RequestLog.h"
#include "tests/link/DriveFixture.h"

namespace zavo {
namespace {

using test::DriveFixture;

struct ActiveLog {
  FrameLog log;
  ActiveLog() { setActiveFrameLog(&log); }
  ~ActiveLog() { setActiveFrameLog(nullptr); }
};

FrameProtocol frameProtocolOf(sim::LineProtocol p) {
  return p == sim::LineProtocol::ModbusAscii ? FrameProtocol::ModbusAscii
         : p == sim::LineProtocol::ModbusRtu ? FrameProtocol::ModbusRtu
                                              : FrameProtocol::DriveLink;
}

std::vector<FrameRecord> without(const std::vector<FrameRecord>& records, FrameOutcome outcome) {
  std::vector<FrameRecord> out;
  for (const auto& r : records)
    if (r.outcome != outcome) out.push_back(r);
  return out;
}

TEST(FrameLog, HoldsWhatTheDriveSawAndSentOnEveryLineEchoOrNot) {
  for (const auto line : {sim::LineProtocol::DriveLink, sim::LineProtocol::ModbusRtu, sim::LineProtocol::ModbusAscii}) {
    for (const bool echo : {false, true}) {
      SCOPED_TRACE(testing::Message() << "line " << static_cast<int>(line) << (echo ? " echoing" : ""));
      sim::SimOptions o;
      o.line = line;
      o.pace = true;  // the reply comes a turnaround after the echo, as on a real line
      o.faults.echo = echo;
      DriveFixture f(o);
      f.link();
      ActiveLog active;
      const bool ascii = line == sim::LineProtocol::ModbusAscii;
      if (line == sim::LineProtocol::DriveLink) {
        ASSERT_EQ(f.ops.writeParameter("Cn010", 210), 1);
        ASSERT_EQ(f.ops.readParameter("Cn010"), 1);
        EXPECT_EQ(f.ops.readRegister('5', 0x47), 1);
      } else {
        ASSERT_EQ(f.ops.modbusReadParameter("Cn011", ascii), 1);  // a read first: the line's echo is learnt
        ASSERT_EQ(f.ops.modbusWriteParameter("Cn010", 210, ascii), 1);
        ASSERT_EQ(f.ops.modbusReadParameter("Cn010", ascii), 1);
      }
      EXPECT_EQ(f.ops.lastValue(), line == sim::LineProtocol::DriveLink ? 3000 : 210);

      const auto records = active.log.records();
      const auto frames = without(records, FrameOutcome::Echo);
      const auto drive = f.drive.requestLog();
      ASSERT_EQ(frames.size(), 2 * drive.size());
      for (std::size_t i = 0; i < drive.size(); ++i) {
        const auto& sent = frames[2 * i];
        const auto& got = frames[2 * i + 1];
        const auto protocol = frameProtocolOf(drive[i].protocol);
        EXPECT_EQ(sent.direction, FrameDirection::Sent);
        EXPECT_EQ(sent.bytes, frameBytesText(protocol, drive[i].request));
        EXPECT_EQ(got.direction, FrameDirection::Received);
        EXPECT_EQ(got.bytes, frameBytesText(protocol, drive[i].reply));
        EXPECT_EQ(got.outcome, FrameOutcome::Reply);
        EXPECT_LE(sent.ms, got.ms);
      }
      EXPECT_EQ(records.size() - frames.size(), echo ? drive.size() : 0u) << "each echo named once";
    }
  }
}

TEST(FrameLog, NamesEveryOutcomeAndWhatTheFrameMeans) {
  sim::SimOptions o;
  o.faults.refusedRegisters = {{'5', 0x10}};
  DriveFixture f(o);
  f.link();
  ActiveLog active;
  std::uint8_t reply[7];
  EXPECT_EQ(checkedExchange(f.port, drivelink::writeRequest('5', 0x10, 1), reply, 1), 0);
  EXPECT_EQ(f.ops.readParameter("Cn010"), 1);
  f.drive.setFaults(*sim::FaultPlan::parse("corrupt=1"));
  EXPECT_EQ(checkedExchange(f.port, drivelink::readRequest('5', 0x47), reply, 7), 0);
  f.drive.setFaults(*sim::FaultPlan::parse("drop=1"));
  EXPECT_EQ(checkedExchange(f.port, drivelink::readRequest('5', 0x47), reply, 7), 0);

  std::vector<std::string> lines;
  for (const auto& r : active.log.records()) lines.push_back(FrameLog::line(r).substr(13));
  const std::vector<std::string> expected = {
      "-> DL   W5100001AE               write 510 0x0001 = 1 Cn001",
      "<- DL   !                        refused",
      "-> DL   W5EB0018DC               write 5EB 0x0018 = 24 window address Cn010",
      "<- DL   %                        reply, acknowledged",
      "-> DL   W5E80002CB               write 5E8 0x0002 = 2 window command: fetch",
      "<- DL   %                        reply, acknowledged",
      "-> DL   R5EC0F                   read 5EC window data",
  };
  ASSERT_GE(lines.size(), 12u);
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]);
  EXPECT_NE(lines[7].find("reply, 0x"), std::string::npos) << lines[7];
  EXPECT_EQ(lines[8], "-> DL   R547F2                   read 547 rated speed");
  EXPECT_NE(lines[9].find("bad checksum"), std::string::npos) << lines[9];
  EXPECT_EQ(lines[11], "<- DL   (nothing)                time-out");
}

TEST(FrameLog, KeepsTheLastFramesAndSavesThemAsText) {
  FrameLog log(3);
  const std::uint8_t rtu[] = {0x01, 0x03, 0x0D, 0x0A};
  for (int i = 0; i < 5; ++i) log.add(FrameDirection::Sent, FrameProtocol::ModbusRtu, FrameOutcome::Sent, rtu, {});
  const auto all = log.records();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all.front().sequence, 3u);
  EXPECT_EQ(all.back().sequence, 5u);
  EXPECT_EQ(all[0].bytes, "01 03 0D 0A");
  EXPECT_EQ(log.since(4).size(), 1u);
  EXPECT_EQ(log.since(5).size(), 0u);
  EXPECT_EQ(frameBytesText(FrameProtocol::ModbusAscii, rtu), "\\x01\\x03\\r\\n");
  const auto path = std::filesystem::temp_directory_path() / ("zavo-frames-" + std::to_string(::getpid()) + ".txt");
  ASSERT_TRUE(log.save(path.string()));
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, FrameLog::text(all));
  std::filesystem::remove(path);
  log.clear();
  EXPECT_EQ(log.size(), 0u);
  log.add(FrameDirection::Sent, FrameProtocol::ModbusRtu, FrameOutcome::Sent, rtu, {});
  EXPECT_EQ(log.records().front().sequence, 6u) << "numbers run on after a clear";
}

}  // namespace
}  // namespace zavo
