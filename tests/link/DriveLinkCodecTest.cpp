#include <gtest/gtest.h>

#include <vector>

#include "link/DriveLinkCodec.h"
#include "link/Protocol.h"
#include "tests/support/PtyPeer.h"

namespace zavo::drivelink {
namespace {

using test::bytesOf;

TEST(DriveLinkFrames, BuildsTheDocumentedRequests) {
  struct Case {
    Frame frame;
    const char* wire;
  } cases[] = {
      {readRequest('5', 0x36), "R536F0"},
      {readRequest5(0x36), "R536F0"},
      {readRequest('6', 0xCB), "R6CB0D"},
      {writeRequest('5', 0xE8, 1), "W5E80001"},  // checksum appended below
      {blockRead1(0x9F6), "B109F6"},
  };
  EXPECT_EQ(cases[0].frame.text(), cases[0].wire);
  EXPECT_EQ(cases[1].frame.text(), cases[1].wire);
  EXPECT_EQ(cases[2].frame.text(), cases[2].wire);
  // W5E80001: 0x57+0x35+0x45+0x38+0x30+0x30+0x30+0x31 = 0x1CA -> "CA"
  EXPECT_EQ(cases[3].frame.text(), "W5E80001CA");
  // B109F6: 0x42+0x31+0x30+0x39+0x46+0x36 = 0x158 -> "58"
  EXPECT_EQ(cases[4].frame.text(), "B109F658");
}

TEST(DriveLinkFrames, SendsOnlyTheLow16BitsOfWideValues) {
  EXPECT_EQ(writeRequest('5', 0x10, 0x12345).text().substr(4, 4), "2345");
  EXPECT_EQ(writeRequest('5', 0x10, -1).text().substr(4, 4), "FFFF");
  EXPECT_EQ(writeRequest('5', 0x10, -2).text().substr(4, 4), "FFFE");
  const long regs[] = {0x10C42};
  EXPECT_EQ(blockRead(regs).text().substr(2, 4), "0C42");
  const long r2[] = {0x1FFFF, 0x205};
  const long v2[] = {0x7FFFF, -3};
  EXPECT_EQ(multiWrite(r2, v2).text().substr(0, 18), "P2FFFFFFFF0205FFFD");
}

TEST(DriveLinkFrames, LayoutsHaveTheDocumentedLengths) {
  std::vector<long> regs{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  for (std::size_t n = 1; n <= 9; ++n) {
    const auto b = blockRead(std::span(regs).first(n));
    ASSERT_EQ(b.size, 4 * n + 4);
    EXPECT_EQ(b.bytes[1], '0' + n);
    EXPECT_TRUE(checksumMatches(b.view()));
    const auto p = multiWrite(std::span(regs).first(n), std::span(regs).first(n));
    ASSERT_EQ(p.size, 8 * n + 4);
    EXPECT_TRUE(checksumMatches(p.view()));
  }
  // The count is one character: more than nine are cut, none gives no frame at all.
  EXPECT_EQ(blockRead(regs).size, 40u);
  EXPECT_TRUE(blockRead({}).empty());
  EXPECT_TRUE(multiWrite(regs, {}).empty());
  // An address is two digits whatever the caller passes.
  EXPECT_EQ(readRequest('5', 0x1FF).text().substr(0, 4), "R5FF");
}

TEST(DriveLinkReplies, ChecksumCoversTheLeadingPercent) {
  // '%' 0x25 + "1234" (0x31+0x32+0x33+0x34 = 0xCA) = 0xEF
  EXPECT_TRUE(checksumMatches(bytesOf("%1234EF")));
  EXPECT_FALSE(checksumMatches(bytesOf("%1234EE")));
  EXPECT_FALSE(checksumMatches(bytesOf("%1234ef")));  // the checksum is upper-case hex
  EXPECT_FALSE(checksumMatches(bytesOf("%1")));
}

TEST(DriveLinkReplies, ClassifiesEveryKindOfReply) {
  struct Case {
    std::uint8_t request;
    std::string reply;
    std::size_t expected;
    ReplyKind kind;
  } cases[] = {
      {'R', "%1234EF", 7, ReplyKind::DataValid},
      {'B', "%1234EF", 7, ReplyKind::DataValid},
      {'R', "%1234EE", 7, ReplyKind::Failed},          // wrong checksum
      {'R', "%12", 7, ReplyKind::Failed},              // short
      {'R', "!", 7, ReplyKind::Refused},
      {'R', "", 7, ReplyKind::Failed},                 // silence
      {'R', "#1234EF", 7, ReplyKind::Failed},          // garbage
      {'W', "%", 1, ReplyKind::WriteAcknowledged},     // no checksum on a write ack
      {'P', "%", 1, ReplyKind::WriteAcknowledged},
      {'M', "%", 1, ReplyKind::WriteAcknowledged},
      {'W', "!", 1, ReplyKind::Refused},
      {'R', "%", 1, ReplyKind::Failed},                // a data reply needs its checksum
  };
  for (const auto& c : cases) {
    const auto reply = bytesOf(c.reply);
    EXPECT_EQ(classifyReply(c.request, reply, c.expected), c.kind) << c.request << " " << c.reply;
  }
}

TEST(DriveLinkReplies, DecodesHexValuesOfEitherCase) {
  EXPECT_EQ(hexValue16(bytesOf("FFFF").data()), 0xFFFF);
  EXPECT_EQ(hexValue16(bytesOf("00aB").data()), 0xAB);
  EXPECT_EQ(hexDigit('G'), -1);
  EXPECT_EQ(hexDigit('f'), 15);
}

TEST(IndirectWindow, AddressesByDriveType) {
  for (int type : {0, 1}) {
    const auto& w = protocol::windowOf(type);
    EXPECT_EQ(w.command, 0x70);
    EXPECT_EQ(w.readData, 0x74);
    EXPECT_EQ(protocol::imageWordsOf(type), 256);
  }
  for (int type : {2, 3, 4}) {
    const auto& w = protocol::windowOf(type);
    EXPECT_EQ(w.command, 0xE8);
    EXPECT_EQ(w.writeAddress, 0xE9);
    EXPECT_EQ(w.writeData, 0xEA);
    EXPECT_EQ(w.readAddress, 0xEB);
    EXPECT_EQ(w.readData, 0xEC);
    EXPECT_EQ(protocol::imageWordsOf(type), 512);
  }
}

TEST(DriveLinkRequests, RequestLengthTellsWhereAFrameEnds) {
  EXPECT_EQ(requestLength(bytesOf("R")), 6u);
  EXPECT_EQ(requestLength(bytesOf("W")), 10u);
  EXPECT_EQ(requestLength(bytesOf("B")), 0u);
  EXPECT_EQ(requestLength(bytesOf("B3")), 16u);
  EXPECT_EQ(requestLength(bytesOf("P2")), 20u);
  EXPECT_EQ(requestLength(bytesOf("P0")), kNotARequest);
  EXPECT_EQ(requestLength(bytesOf("X")), kNotARequest);
  EXPECT_EQ(requestLength({}), 0u);
}

}  // namespace
}  // namespace zavo::drivelink
