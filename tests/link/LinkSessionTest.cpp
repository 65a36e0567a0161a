#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "tests/support/PtyPeer.h"

namespace zavo {
namespace {

using test::Bytes;
using test::bytesOf;
using test::PeerReply;
using test::PtyPeer;
using test::textOf;

Bytes dataReply(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%%%04X", value & 0xFFFF);
  Bytes b = bytesOf(std::string(text) + "00");
  drivelink::appendChecksum(b.data(), b.size());
  return b;
}

class LinkSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { linkState().connected = 1; }
  void open() {
    ASSERT_EQ(port.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
    port.SetupReadTimer(19200, 200);
  }
  PtyPeer peer;
  CSerial port;
};

TEST_F(LinkSessionTest, ReadIsAnsweredWithItsValue) {
  peer.serve([](const Bytes& rq) { return PeerReply{textOf(rq) == "R536F0" ? dataReply(0xFFF6) : Bytes{}}; });
  open();
  std::uint8_t reply[7];
  EXPECT_EQ(checkedExchange(port, drivelink::readRequest('5', 0x36), reply, 7), 2);
  EXPECT_EQ(drivelink::hexValue16(reply + 1), 0xFFF6);
  EXPECT_EQ(exchangeRead(port, drivelink::readRequest('5', 0x36)), 0xFFF6);
  EXPECT_TRUE(linkState().isConnected());
  EXPECT_FALSE(port.MutexOwnedByCaller());
}

TEST_F(LinkSessionTest, WriteIsAcknowledgedAndRefusalKeepsTheLink) {
  peer.serve([](const Bytes& rq) { return PeerReply{bytesOf(rq[2] == '1' ? "%" : "!")}; });
  open();
  std::uint8_t reply[1];
  EXPECT_EQ(checkedExchange(port, drivelink::writeRequest('5', 0x10, 5), reply, 1), 1);
  EXPECT_EQ(checkedExchange(port, drivelink::writeRequest('5', 0x20, 5), reply, 1), 0);
  EXPECT_TRUE(linkState().isConnected()) << "a refusal is the drive talking: the link is fine";
  // A refused read ends the wait at once, without the (long) time-out.
  port.SetupReadTimer(19200, 3000);
  const auto start = std::chrono::steady_clock::now();
  std::uint8_t r7[7];
  EXPECT_EQ(checkedExchange(port, drivelink::readRequest('5', 0x20), r7, 7), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  EXPECT_TRUE(linkState().isConnected());
}

TEST_F(LinkSessionTest, BadChecksumAndSilenceDropTheLink) {
  peer.serve([](const Bytes& rq) {
    if (rq[2] == '1') return PeerReply{bytesOf("%1234EE")};
    return PeerReply{};
  });
  open();
  std::uint8_t reply[7];
  EXPECT_EQ(checkedExchange(port, drivelink::readRequest('5', 0x10), reply, 7), 0);
  EXPECT_FALSE(linkState().isConnected());
  linkState().connected = 1;
  EXPECT_EQ(checkedExchange(port, drivelink::readRequest('5', 0x20), reply, 7), 0);
  EXPECT_FALSE(linkState().isConnected());
  // The error path released the port's mutex exactly once: another thread can exchange.
  EXPECT_FALSE(port.MutexOwnedByCaller());
  int other = -2;
  std::thread([&] { other = exchangeRead(port, drivelink::readRequest('5', 0x10)); }).join();
  EXPECT_EQ(other, -1);
}

TEST_F(LinkSessionTest, StaleInputIsNotTakenForTheReply) {
  peer.serve([](const Bytes&) { return PeerReply{dataReply(0x0042)}; });
  open();
  peer.inject(dataReply(0x0666));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(exchangeRead(port, drivelink::readRequest('5', 0x10)), 0x42);
}

TEST_F(LinkSessionTest, PeerHangingUpMidReplyFailsWithoutHanging) {
  peer.serve([](const Bytes&) { return PeerReply{bytesOf("%12"), 0, true}; });
  open();
  const auto start = std::chrono::steady_clock::now();
  std::uint8_t reply[7];
  EXPECT_EQ(checkedExchange(port, drivelink::readRequest('5', 0x10), reply, 7), 0);
  EXPECT_FALSE(linkState().isConnected());
  EXPECT_EQ(checkedExchange(port, drivelink::readRequest('5', 0x10), reply, 7), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(LinkSessionTest, RawExchangeReportsFailureAndReleases) {
  peer.serve([](const Bytes& rq) { return PeerReply{rq[2] == '1' ? dataReply(7) : Bytes{}}; });
  open();
  std::uint8_t reply[7];
  EXPECT_EQ(rawExchange(port, drivelink::readRequest('5', 0x10).data(), 6, reply, 7), 0);
  EXPECT_EQ(reply[0], '%');
  EXPECT_EQ(rawExchange(port, drivelink::readRequest('5', 0x20).data(), 6, reply, 7), 1);
  EXPECT_FALSE(port.MutexOwnedByCaller());
  EXPECT_TRUE(linkState().isConnected()) << "the raw exchange leaves the link state alone";
}

TEST_F(LinkSessionTest, ConcurrentExchangesNeverInterleave) {
  // The peer answers each read with its own address, so a reply meant for the other thread
  // would show up as a wrong value.
  peer.serve([](const Bytes& rq) {
    const int addr = drivelink::hexDigit(rq[2]) * 16 + drivelink::hexDigit(rq[3]);
    return PeerReply{dataReply(addr)};
  });
  open();
  std::atomic<int> wrong{0};
  auto worker = [&](int addr) {
    for (int i = 0; i < 150; ++i)
      if (exchangeRead(port, drivelink::readRequest('5', addr)) != addr) ++wrong;
  };
  std::thread a(worker, 0x11), b(worker, 0x22);
  a.join();
  b.join();
  EXPECT_EQ(wrong.load(), 0);
  for (const auto& rq : peer.requests()) EXPECT_EQ(rq.size(), 6u) << textOf(rq);
  EXPECT_EQ(peer.requests().size(), 300u);
}

}  // namespace
}  // namespace zavo
