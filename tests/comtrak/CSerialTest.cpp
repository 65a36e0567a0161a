#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "comtrak/CSerial.h"
#include "tests/support/PtyPeer.h"

namespace {

using Clock = std::chrono::steady_clock;
using zavo::test::Bytes;
using zavo::test::bytesOf;
using zavo::test::PeerReply;
using zavo::test::PtyPeer;

struct InspectablePort : CSerial {
  termios line() const {
    termios t{};
    ::tcgetattr(Handle(), &t);
    return t;
  }
};

long msSince(Clock::time_point t) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

TEST(CSerialOpen, ResultCodes) {
  PtyPeer peer;
  CSerial a, b;
  EXPECT_NE(a.Open("/dev/does-not-exist", 19200, 500, 20000, 20000), 0);
  EXPECT_FALSE(a.IsOpen());
  EXPECT_EQ(a.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  EXPECT_EQ(a.Open(peer.slavePath().c_str(), 19200, 2048, 2048), CSerial::kAlreadyOpen);
  // Another port object finds the device taken.
  const long busy = b.Open(peer.slavePath().c_str(), 19200, 2048, 2048);
  EXPECT_NE(busy, 0);
  EXPECT_NE(busy, CSerial::kAlreadyOpen);
  a.Close();
  EXPECT_EQ(b.Open(("\\\\.\\" + peer.slavePath()).c_str(), 19200, 2048, 2048), 0)
      << "the Windows device prefix is accepted and ignored";
  EXPECT_NE(a.Open("/dev/null", 19200, 2048, 2048), 0) << "not a terminal";
}

TEST(CSerialOpen, ClosingGivesTheDeviceBack) {
  PtyPeer peer;
  CSerial p;
  ASSERT_EQ(p.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  p.Close();
  // Exclusive mode stays on a terminal after its descriptor is closed unless it is cleared;
  // then nobody but root could open the line again.
  const int fd = ::open(peer.slavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  int exclusive = -1;
  ASSERT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
  ::close(fd);
}

TEST(CSerialSetup, AppliesTheLineFormat) {
  PtyPeer peer;
  InspectablePort p;
  ASSERT_EQ(p.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  EXPECT_EQ(p.Setup(CSerial::EBaud9600, CSerial::EData7, CSerial::EParEven, CSerial::EStop2), 0);
  // A pseudo-terminal always keeps 8 data bits without parity, so only the speed and the
  // stop bits can be seen here; the data bits and parity take the same path to the driver.
  termios t = p.line();
  EXPECT_EQ(cfgetospeed(&t), B9600);
  EXPECT_TRUE(t.c_cflag & CSTOPB);
  EXPECT_EQ(p.Setup(CSerial::EBaud115200, CSerial::EData8, CSerial::EParOdd, CSerial::EStop1), 0);
  t = p.line();
  EXPECT_EQ(cfgetospeed(&t), B115200);
  EXPECT_FALSE(t.c_cflag & CSTOPB);
  EXPECT_EQ(p.SetupHandshaking(CSerial::EHandshakeOff), 0);
  EXPECT_FALSE(p.line().c_iflag & IXON) << "no software flow control: RTU bytes 0x11/0x13 must pass";
  EXPECT_NE(p.Setup(static_cast<CSerial::EBaudrate>(12345), CSerial::EData8, CSerial::EParNone, CSerial::EStop1), 0);
}

TEST(CSerialRead, WaitsNoLongerThanTheReadTimerAndEndsAtAGap) {
  PtyPeer peer;
  CSerial p;
  ASSERT_EQ(p.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  p.SetupReadTimer(19200, 120);
  char buf[64];
  unsigned long got = 7;
  auto t = Clock::now();
  EXPECT_EQ(p.Read(buf, sizeof buf, &got, nullptr, CSerial::kInfinite), 0);
  EXPECT_EQ(got, 0u);
  EXPECT_GE(msSince(t), 100);
  EXPECT_LT(msSince(t), 1000);

  // A short pause inside a frame does not end it. (A busy machine may hold the writer longer
  // than the gap now and then, so one of a few tries has to show it.)
  bool whole = false;
  for (int attempt = 0; attempt < 5 && !whole; ++attempt) {
    std::thread writer([&] {
      peer.inject(bytesOf("ABC"));
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      peer.inject(bytesOf("DEF"));
    });
    EXPECT_EQ(p.Read(buf, sizeof buf, &got, nullptr, 500), 0);
    writer.join();
    std::string frame(buf, got);
    if (frame.size() < 6) {  // the rest is still on the line: take it before the next try
      unsigned long more = 0;
      p.Read(buf, sizeof buf, &more, nullptr, 100);
    }
    whole = frame == "ABCDEF";
  }
  EXPECT_TRUE(whole);
  // The gap ends a frame long before the time-out.
  peer.inject(bytesOf("XYZ"));
  t = Clock::now();
  EXPECT_EQ(p.Read(buf, sizeof buf, &got, nullptr, 2000), 0);
  EXPECT_EQ(std::string(buf, got), "XYZ");
  EXPECT_LT(msSince(t), 1000);

  peer.inject(bytesOf("0123456789"));
  EXPECT_EQ(p.Read(buf, 4, &got, nullptr, 500), 0);
  EXPECT_EQ(std::string(buf, got), "0123") << "a full buffer returns at once";
}

TEST(CSerialRead, UnpluggedDeviceIsAnErrorNotAHang) {
  auto peer = std::make_unique<PtyPeer>();
  CSerial p;
  ASSERT_EQ(p.Open(peer->slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  peer.reset();
  char buf[8];
  unsigned long got = 0;
  const auto t = Clock::now();
  EXPECT_NE(p.Read(buf, sizeof buf, &got, nullptr, CSerial::kInfinite), 0);
  EXPECT_NE(p.Write("R536F0", 6, nullptr, nullptr, 200), 0);
  unsigned char req[] = "R536F0";
  unsigned char reply[7];
  EXPECT_NE(p.CommandSend(req, 6, reply, 7), CSerial::ErrNone);
  EXPECT_TRUE(p.ReleaseMutex());
  EXPECT_LT(msSince(t), 1000);
}

TEST(CSerialCommandSend, ReturnsAsSoonAsTheReplyIsComplete) {
  PtyPeer peer;
  peer.serve([](const Bytes&) { return PeerReply{bytesOf("%1234EF")}; });
  CSerial p;
  ASSERT_EQ(p.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  p.SetupReadTimer(19200, 2000);
  unsigned char req[] = "R536F0";
  unsigned char reply[7];
  const auto t = Clock::now();
  for (int i = 0; i < 20; ++i) ASSERT_EQ(p.CommandSend(req, 6, reply, 7), CSerial::ErrNone);
  EXPECT_LT(msSince(t), 1000) << "no exchange waited for the 2 s read timer";
  EXPECT_FALSE(p.MutexOwnedByCaller());
  EXPECT_FALSE(p.ReleaseMutex()) << "nothing to release after a completed exchange";
}

TEST(CSerialCommandSend, ErrorsLeaveTheMutexWithTheCaller) {
  CSerial closed;
  unsigned char req[] = "R536F0";
  unsigned char reply[7];
  EXPECT_EQ(closed.CommandSend(req, 6, reply, 7), CSerial::ErrNotOpen);
  EXPECT_TRUE(closed.MutexOwnedByCaller());
  EXPECT_TRUE(closed.ReleaseMutex());
  EXPECT_FALSE(closed.MutexOwnedByCaller());

  PtyPeer silent;
  silent.serve([](const Bytes&) { return PeerReply{}; });
  CSerial p;
  ASSERT_EQ(p.Open(silent.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  p.SetupReadTimer(19200, 80);
  const auto t = Clock::now();
  EXPECT_EQ(p.CommandSend(req, 6, reply, 7), CSerial::ErrTimeout);
  EXPECT_LT(msSince(t), 1000);
  // Another thread waits until the owner releases.
  std::atomic<bool> done{false};
  std::thread other([&] {
    unsigned char r[7];
    p.CommandSend(req, 6, r, 7);
    p.ReleaseMutex();
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_FALSE(done.load());
  p.ReleaseMutex();
  other.join();
  EXPECT_TRUE(done.load());
}

}  // namespace
