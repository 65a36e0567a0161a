// Each way the virtual drive can misbehave on purpose, as the program's port sees it, and the
// same misbehaviour again for the same seed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/ModbusCodec.h"
#include "link/ModbusExchange.h"
#include "link/Protocol.h"
#include "sim/ParameterTable.h"
#include "tests/sim/SimLink.h"

namespace zavo::sim::test {
namespace {

using Clock = std::chrono::steady_clock;
const std::string kGood = "%0001E6";  // the reply to R6CB0D

SimOptions withFaults(const std::string& faults, std::uint64_t seed = 1) {
  SimOptions o;
  o.faults = *FaultPlan::parse(faults);
  o.seed = seed;
  return o;
}

TEST(Faults, EachKindAsTheLineShowsIt) {
  struct Case {
    const char* faults;
    // What arrives for R6CB0D, and how the program's reply check classifies it.
    std::function<void(const Bytes&)> check;
    drivelink::ReplyKind kind;
  } cases[] = {
      {"drop=1", [](const Bytes& b) { EXPECT_TRUE(b.empty()); }, drivelink::ReplyKind::Failed},
      {"refuse=1", [](const Bytes& b) { EXPECT_EQ(textOf(b), "!"); }, drivelink::ReplyKind::Refused},
      {"corrupt=1",
       [](const Bytes& b) {
         ASSERT_EQ(b.size(), kGood.size());
         int differing = 0;
         for (std::size_t i = 0; i < b.size(); ++i) differing += b[i] != kGood[i];
         EXPECT_EQ(differing, 1) << textOf(b);
       },
       drivelink::ReplyKind::Failed},
      {"garbage=1",
       [](const Bytes& b) {
         ASSERT_GT(b.size(), kGood.size());
         EXPECT_LE(b.size(), kGood.size() + 4);
         EXPECT_EQ(textOf(b).substr(b.size() - kGood.size()), kGood) << "stray bytes come before the reply";
       },
       drivelink::ReplyKind::Failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.faults);
    SimLink link(withFaults(c.faults));
    for (int i = 0; i < 3; ++i) {
      const Bytes reply = link.sendAndCollect(drivelink::readRequest('6', 0xCB));
      c.check(reply);
      EXPECT_EQ(drivelink::classifyReply('R', reply, protocol::kReadReplyLength), c.kind);
    }
    const auto log = link.drive.requestLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].replied, std::string(c.faults) != "drop=1") << "the log shows what went on the line";
  }
}

TEST(Faults, DelayMakesEveryReplyLate) {
  SimLink link(withFaults("delay-ms=120"));
  const auto start = Clock::now();
  ASSERT_TRUE(link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(120));
}

TEST(Faults, ModbusRefusalIsAnException) {
  SimOptions o = withFaults("refuse=1");
  o.line = LineProtocol::ModbusRtu;
  SimLink link(o);
  std::uint8_t reply[16];
  std::size_t got = 0;
  EXPECT_EQ(modbus::rtuExchange(link.port, modbus::readRequest(1, 1, 1, false).frame, reply, sizeof reply, 300, &got), 3);
  ASSERT_EQ(got, 5u);
  EXPECT_EQ(reply[2], 0x04) << "device failure";
}

TEST(Faults, UnplugAfterTwoThenReplugAtTheSameLink) {
  const std::string linkPath = ::testing::TempDir() + "zavo-sim-replug-" + std::to_string(::getpid());
  SimOptions o = withFaults("unplug-after=2,replug-ms=150");
  o.linkPath = linkPath;
  SimLink link(o);
  const std::string first = link.drive.portPath();
  EXPECT_EQ(std::filesystem::read_symlink(linkPath).string(), first);
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength));
  // The next request never gets an answer: the line is gone.
  EXPECT_FALSE(link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength));
  const auto deadline = Clock::now() + std::chrono::seconds(3);
  while (link.drive.plugCount() < 2 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(link.drive.plugCount(), 2);
  EXPECT_EQ(std::filesystem::read_symlink(linkPath).string(), link.drive.portPath());
  // The program reconnects through the link and finds the same drive.
  link.port.Close();
  ASSERT_EQ(link.port.Open(linkPath.c_str(), 19200, SimLink::kReadTimerMs, 2048, 2048), 0);
  const auto reply = link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength);
  ASSERT_TRUE(reply);
  EXPECT_EQ(textOf(*reply), kGood);
  link.port.Close();
  link.drive.stop();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(linkPath)));
}

TEST(Faults, UnplugWithoutReplugStaysUnplugged) {
  SimLink link(withFaults("unplug-after=1"));
  ASSERT_TRUE(link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength));
  EXPECT_FALSE(link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(link.drive.portPath(), "");
  EXPECT_EQ(link.drive.plugCount(), 1);
}

// What became of each of `requests` reads, as the drive's log records it: '-' dropped, 'o'
// answered as it should be, 'x' answered corrupted.
std::string faultPattern(std::uint64_t seed, int requests) {
  SimLink link(withFaults("drop=0.5,corrupt=0.2", seed));
  const Frame read = drivelink::readRequest('6', 0xCB);
  for (int i = 0; i < requests; ++i) link.port.Write(read.data(), static_cast<unsigned int>(read.size));
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (link.drive.requestCount() < requests && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::string pattern;
  for (const LogEntry& e : link.drive.requestLog())
    pattern += !e.replied ? '-' : textOf(e.reply) == kGood ? 'o' : 'x';
  return pattern;
}

TEST(Faults, TheSameSeedMisbehavesTheSameWay) {
  const std::string a = faultPattern(7, 40);
  ASSERT_EQ(a.size(), 40u);
  EXPECT_EQ(a, faultPattern(7, 40));
  EXPECT_NE(a, faultPattern(8, 40));
  EXPECT_NE(a.find('-'), std::string::npos);
  EXPECT_NE(a.find('o'), std::string::npos);
}

TEST(Faults, ChangedWhileServing) {
  SimLink link;
  const Frame read = drivelink::readRequest('6', 0xCB);
  EXPECT_EQ(textOf(link.sendAndCollect(read)), kGood);
  link.drive.setFaults(*FaultPlan::parse("refuse=1"));
  EXPECT_EQ(textOf(link.sendAndCollect(read)), "!");
  link.drive.setFaults(FaultPlan{});
  EXPECT_EQ(textOf(link.sendAndCollect(read)), kGood);
}

TEST(Faults, RefusedRegisterRefusesEveryWriteToItAndNoRead) {
  // Given on the command line for one drive, and set on a serving drive through the API.
  for (const bool whileServing : {false, true}) {
    SCOPED_TRACE(whileServing ? "set while serving" : "from the options");
    SimLink link(whileServing ? SimOptions{} : withFaults("refuse-reg=c27,refuse-reg=D20"));
    if (whileServing) link.drive.setFaults(*FaultPlan::parse("refuse-reg=C27,refuse-reg=D20"));
    const int before = link.read('C', 0x27);
    ASSERT_GE(before, 0) << "reads are served";
    const long numbers[] = {0xC26, 0xC27};
    const long values[] = {0x11, 0x22};
    const int neighbour = link.read('C', 0x26);
    struct Case {
      const char* what;
      std::function<bool()> write;
      bool taken;
    } cases[] = {
        {"W to the register", [&] { return link.write('C', 0x27, before + 1); }, false},
        {"W to the second register", [&] { return link.write('D', 0x20, 1); }, false},
        {"W to its neighbour", [&] { return link.write('C', 0x28, link.read('C', 0x28)); }, true},
        {"P naming it", [&] { return link.exchange(drivelink::multiWrite(numbers, values), 1) == bytesOf("%"); }, false},
        {"store to its linear number", [&] { return link.store(linearNumberOf({'C', 0x27}), 5); }, false},
        {"store to the neighbour's", [&] { return link.store(linearNumberOf({'C', 0x28}), link.fetch(linearNumberOf({'C', 0x28}))); }, true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.write(), c.taken) << c.what;
    EXPECT_EQ(link.read('C', 0x27), before);
    EXPECT_EQ(link.read('C', 0x26), neighbour) << "a refused multi-write lands none of its pairs";
    EXPECT_EQ(link.drive.storedWord(linearNumberOf({'C', 0x27})), before) << "stored word untouched";
    link.drive.setFaults(FaultPlan{});
    EXPECT_TRUE(link.write('C', 0x27, before + 1)) << "lifted with the faults";
  }
}

TEST(Faults, ListParsing) {
  const auto f = FaultPlan::parse("drop=0.25,corrupt=1,refuse=0,garbage=0.5,delay-ms=30,unplug-after=5,replug-ms=100");
  ASSERT_TRUE(f);
  EXPECT_DOUBLE_EQ(f->drop, 0.25);
  EXPECT_DOUBLE_EQ(f->garbage, 0.5);
  EXPECT_EQ(f->delayMs, 30);
  EXPECT_EQ(f->unplugAfter, 5);
  EXPECT_EQ(f->replugMs, 100);
  const auto regs = FaultPlan::parse("refuse-reg=51a,refuse-reg=C27");
  ASSERT_TRUE(regs);
  EXPECT_EQ(regs->refusedRegisters, (std::vector<RegisterRef>{{'5', 0x1A}, {'C', 0x27}}));
  EXPECT_NE(regs->text().find(",refuse-reg=51A,refuse-reg=C27"), std::string::npos) << regs->text();
  const auto echo = FaultPlan::parse("echo,delay-ms=5");
  ASSERT_TRUE(echo);
  EXPECT_TRUE(echo->echo && echo->any());
  EXPECT_NE(echo->text().find(",echo"), std::string::npos) << echo->text();
  for (const char* bad : {"drop=1.5", "drop=-0.1", "drop", "jitter=1", "delay-ms=x", "unplug-after=0", "replug-ms=10",
                          "delay-ms=1e3", "drop=nan", "refuse-reg=C2", "refuse-reg=H10", "refuse-reg=C2G",
                          "refuse-reg=C270"}) {
    std::string error;
    EXPECT_FALSE(FaultPlan::parse(bad, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

}  // namespace
}  // namespace zavo::sim::test
