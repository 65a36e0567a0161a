// The DriveLink answers of the virtual drive, byte for byte, through the program's port.

#include <gtest/gtest.h>

#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/Protocol.h"
#include "sim/SimConstants.h"
#include "tests/sim/SimLink.h"

namespace zavo::sim::test {
namespace {

struct FrameCase {
  const char* what;
  Frame request;
  std::string reply;  // expected bytes; "" = no reply at all
};

// A M7 drive at power-on: Cn001 (control mode, '5' 0x10) 2, Cn003 ('5' 0x11) 0, version 125,
// minor 20, rated speed 3000, servo on, input terminals 0x0001.
std::vector<FrameCase> frameCases() {
  const long three[3] = {0x510, 0xC42, 0x547};
  const long pairsOk[2] = {0x510, 0x511};
  const long valuesOk[2] = {5, 7};
  const long pairsBad[2] = {0x510, 0x6E4};  // the second is a display value
  const long outsidePage[1] = {0x1100};     // page digit 17: no such page
  Frame badChecksum = driveLinkFrame("R6CB");
  badChecksum.bytes[5] = '0';
  Frame numericPage = driveLinkFrame("R" + std::string(1, '\x05') + "10");
  return {
      {"the input terminals, as the connect handshake reads them", driveLinkFrame("R6CB"), "%0001E6"},
      {"control mode", drivelink::readRequest('5', 0x10), dataReplyText(2)},
      {"page 0x05 is page '5'", numericPage, dataReplyText(2)},
      {"version register", drivelink::readRequest('C', 0x42), "%007D00"},
      {"single block read by register number", drivelink::blockRead1(0xC42), "%007D00"},
      {"block read of three", drivelink::blockRead(three), "%0002007D0BB8AE"},
      {"write", drivelink::writeRequest('5', 0x11, 0x1234), "%"},
      {"multi-write", drivelink::multiWrite(pairsOk, valuesOk), "%"},
      {"write to a display value is refused", drivelink::writeRequest('6', 0xE4, 1), "!"},
      {"read of a page the drive does not have", drivelink::readRequest('H', 0x00), "!"},
      {"block read outside every page", drivelink::blockRead(outsidePage), "!"},
      {"multi-write with one refused pair", drivelink::multiWrite(pairsBad, valuesOk), "!"},
      {"bad checksum: silence", badChecksum, ""},
  };
}

TEST(DriveLinkAnswers, EveryFrameKindByteForByte) {
  SimLink link;
  for (const FrameCase& c : frameCases()) {
    SCOPED_TRACE(c.what);
    const std::size_t expected = c.reply.empty() ? protocol::kReadReplyLength : c.reply.size();
    const auto reply = link.exchange(c.request, expected);
    if (c.reply.empty()) {
      EXPECT_FALSE(reply) << "answered " << textOf(*reply);
    } else {
      ASSERT_TRUE(reply);
      EXPECT_EQ(textOf(*reply), c.reply);
    }
  }
}

TEST(DriveLinkAnswers, BlockReadOfNineMatchesSingleReads) {
  SimLink link;
  const long regs[9] = {0x510, 0xC42, 0xC37, 0x547, 0x666, 0x660, 0x6CB, 0x50C, 0x511};
  const auto reply = link.exchange(drivelink::blockRead(regs), drivelink::blockReplyLength(9));
  ASSERT_TRUE(reply);
  ASSERT_TRUE(drivelink::checksumMatches(*reply));
  for (std::size_t i = 0; i < 9; ++i) {
    const int page = static_cast<int>(regs[i] >> 8);
    const int single = link.read(page < 10 ? '0' + page : 'A' + page - 10, static_cast<int>(regs[i] & 0xFF));
    EXPECT_EQ(drivelink::hexValue16(&(*reply)[1 + 4 * i]), single) << std::hex << regs[i];
  }
}

TEST(DriveLinkAnswers, WritesLandAndRefusedMultiWriteChangesNothing) {
  SimLink link;
  const long regs[2] = {0x510, 0x511};
  const long values[2] = {5, 7};
  ASSERT_TRUE(link.exchange(drivelink::multiWrite(regs, values), 1));
  EXPECT_EQ(link.read('5', 0x10), 5);
  EXPECT_EQ(link.read('5', 0x11), 7);

  const long mixed[2] = {0x510, 0x6E4};
  const long other[2] = {9, 1};
  EXPECT_EQ(textOf(*link.exchange(drivelink::multiWrite(mixed, other), 1)), "!");
  EXPECT_EQ(link.read('5', 0x10), 5) << "a refused multi-write must not half-apply";

  EXPECT_TRUE(link.write('5', 0x11, -2));
  EXPECT_EQ(link.read('5', 0x11), 0xFFFE);
}

TEST(DriveLinkAnswers, RequestsAreCountedByKind) {
  SimLink link;
  ASSERT_TRUE(link.store(0x10, 4));
  ASSERT_TRUE(link.write('5', 0x10, 4));
  ASSERT_EQ(link.read('5', 0x10), 4);
  EXPECT_EQ(link.drive.count(RequestKind::WindowWrite), 3);
  EXPECT_EQ(link.drive.count(RequestKind::DirectWrite), 1);
  EXPECT_EQ(link.drive.count(RequestKind::Read), 1);
  const auto log = link.drive.requestLog();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(textOf(log[3].request), textOf(bytesOf(drivelink::writeRequest('5', 0x10, 4).text())));
  EXPECT_EQ(textOf(log[4].reply), dataReplyText(4));
}

TEST(DriveLinkAnswers, AStoppedDriveStartsAgainOnANewLineWithItsMemory) {
  SimLink link;
  ASSERT_TRUE(link.write('5', 0x11, 77));
  link.port.Close();
  link.drive.stop();
  EXPECT_EQ(link.drive.portPath(), "");
  ASSERT_TRUE(link.drive.start());
  ASSERT_TRUE(link.openPort());
  EXPECT_EQ(link.read('5', 0x11), 77) << "a restart of the serving is no power cycle";
}

TEST(DriveLinkAnswers, OnlyDriveTypesZeroToFourExist) {
  SimOptions o;
  o.driveType = 5;
  EXPECT_THROW(VirtualDrive{o}, std::invalid_argument);
}

TEST(DriveLinkAnswers, ConnectAndStatusReadsAllSucceed) {
  // The registers the connect handshake and the status read of every poll ask for.
  for (int type = 0; type <= 4; ++type) {
    SCOPED_TRACE(type);
    SimOptions o;
    o.driveType = type;
    SimLink link(o);
    const int dn04Address = type >= protocol::kFirstM7DriveType ? 0x42 : 0xE2;
    const int dn04Page = type >= protocol::kFirstM7DriveType ? 'C' : '5';
    EXPECT_EQ(link.read(dn04Page, dn04Address), kSoftwareVersion);
    for (const auto r : {protocol::kControlModeRegister, protocol::kServoOnRegister, protocol::kMotorCodeRegister,
                         protocol::kRatedSpeedRegister, protocol::kServoStatusRegister,
                         protocol::kStatusLongLowRegister, protocol::kStatusLongHighRegister, protocol::kAuxModelRegister})
      EXPECT_GE(link.read(r.page, r.address), 0) << char(r.page) << std::hex << r.address;
    EXPECT_EQ(link.read('6', 0xCB), kInputsActive);
    EXPECT_EQ(link.read(protocol::kRatedSpeedRegister.page, protocol::kRatedSpeedRegister.address), 3000);
    EXPECT_EQ(link.read(protocol::kServoOnRegister.page, protocol::kServoOnRegister.address) & 1, 1);

    // The version flags come out as a current drive with the extended monitor.
    const int version = link.read(protocol::kVersionRegister.page, protocol::kVersionRegister.address);
    const int minor = link.read(protocol::kVersionMinorRegister.page, protocol::kVersionMinorRegister.address);
    const bool legacy = version < protocol::kLegacyVersionBelow;
    const bool extended = version == protocol::kVersionWithMinor ? minor >= protocol::kExtendedMonitorMinorFrom : true;
    EXPECT_FALSE(legacy);
    EXPECT_TRUE(extended);
  }
}

}  // namespace
}  // namespace zavo::sim::test
