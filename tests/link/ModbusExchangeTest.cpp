#include <gtest/gtest.h>

#include "link/ModbusCodec.h"
#include "link/ModbusExchange.h"
#include "tests/support/PtyPeer.h"

namespace zavo::modbus {
namespace {

using test::Bytes;
using test::bytesOf;
using test::PeerReply;
using test::PtyPeer;

Bytes withCrc(Bytes b) {
  const auto crc = crc16(b.data(), b.size());
  b.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  b.push_back(static_cast<std::uint8_t>(crc >> 8));
  return b;
}

TEST(ModbusExchange, RtuExchangeClassifiesWhatArrives) {
  PtyPeer peer(PtyPeer::Framing::ModbusRtu);
  peer.serve([](const Bytes& rq) {
    switch (rq[3]) {
      case 0: return PeerReply{withCrc({0x01, 0x03, 0x02, 0xAB, 0xCD})};
      case 1: return PeerReply{withCrc({0x01, 0x83, 0x02})};
      case 2: return PeerReply{Bytes{0x01, 0x03, 0x02, 0xAB, 0xCD, 0x00, 0x00}};
      case 3: return PeerReply{Bytes{0x01}};
      default: return PeerReply{};
    }
  });
  CSerial port;
  ASSERT_EQ(port.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  std::uint8_t reply[16];
  for (auto [reg, expect] : {std::pair{0, 2}, {1, 3}, {2, 1}, {3, 0}, {4, 0}}) {
    const auto rq = readRequest(1, reg, 1, false);
    std::size_t got = 0;
    EXPECT_EQ(rtuExchange(port, rq.frame, reply, rq.expectedReply, 150, &got), expect) << reg;
    if (reg == 0) {
      EXPECT_EQ(got, 7u);
      EXPECT_EQ(rtuReadValue({reply, got}), 0xABCD);
    }
  }
}

TEST(ModbusExchange, AsciiExchangeRetriesUntilAFrameStarts) {
  PtyPeer peer(PtyPeer::Framing::ModbusAscii);
  int calls = 0;
  peer.serve([&](const Bytes&) {
    ++calls;
    return PeerReply{calls == 1 ? Bytes{} : bytesOf(":0103021234B4\r\n")};
  });
  CSerial port;
  ASSERT_EQ(port.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  port.SetupReadTimer(19200, 100);
  const auto rq = readRequest(1, 0, 1, true);
  std::uint8_t reply[32];
  std::size_t got = 0;
  EXPECT_EQ(asciiExchange(port, rq.frame, reply, rq.expectedReply, 2, &got), 2);
  EXPECT_EQ(got, 15u);
  EXPECT_EQ(asciiReadValue({reply, got}), 0x1234);
  EXPECT_EQ(asciiExchange(port, rq.frame, reply, rq.expectedReply, 0), 0);
}

}  // namespace
}  // namespace zavo::modbus
