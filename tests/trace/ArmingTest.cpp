// START, STOP and the warm-up as the drive receives them: the frames byte for byte, and what
// the user is told when the drive does not take them.

#include "tests/trace/CaptureFixture.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceTexts.h"

namespace zavo::trace::test {
namespace {

TraceSettings settingsWith(int mode, std::array<int, 4> sources, int channel = 0) {
  TraceSettings s;
  s.mode = mode;
  s.interval = 25;
  s.sources = sources;
  s.triggerChannel = channel;
  s.triggerLevel = -3000;
  s.edge = 1;
  s.triggerPosition = 40;
  return s;
}

TEST(TraceArming, StartSendsTheArmingFramesInOrder) {
  struct Case {
    const char* name;
    TraceSettings s;
    std::vector<std::string> frames;  // without checksums
  };
  const Case cases[] = {
      {"single, no trigger", settingsWith(0, {1, 2, 3, 4}),
       {"W9F50001", "W7D10000", "P407D9020107DA040307D6001907D00000", "W7D50000", "W7D40001"}},
      // The deviation on data 2 makes the drive trace the deviation's high word on data 4.
      {"deviation on data 2", settingsWith(1, {6, 5, 0, 8}),
       {"W9F50001", "W7D10001", "P407D9050607DA210007D6001907D00000", "W7D50000", "W7D40001"}},
      // The level goes as entered, -3000 rpm as a 16-bit word.
      {"trigger on data 1", settingsWith(0, {1, 0, 0, 0}, 1),
       {"W9F50001", "W7D10000", "P407D9000107DA000007D6001907D00000", "P407D5000107D3002807D8F44807D70001",
        "W7D40001"}},
      // Monitor mode writes no trigger register at all, whatever the settings hold.
      {"monitor", settingsWith(2, {2, 0, 0, 9}, 1),
       {"W9F50001", "W7D10002", "P407D9000207DA090007D6001907D00000", "W7D40001"}},
  };
  for (const auto& c : cases) {
    CaptureFixture f;
    f.exchange.readBack = true;
    f.exchange.queue.append({});
    ASSERT_TRUE(f.arming.start(c.s)) << c.name;
    std::vector<std::string> expected;
    for (const auto& body : c.frames) expected.push_back(framed(body));
    EXPECT_EQ(f.requests(), expected) << c.name;
    EXPECT_FALSE(f.exchange.readBack) << c.name << ": a fresh capture is never read back half-written";
    EXPECT_EQ(f.exchange.queue.pending(), 0u) << c.name;
  }
}

TEST(TraceArming, StopWarmUpAndRefusedStarts) {
  CaptureFixture f;
  f.arming.stop();
  EXPECT_EQ(f.requests(), (std::vector<std::string>{framed("W7D40000"), framed("W7D40000"), framed("W7D20000")}));
  f.drive.clearLog();
  EXPECT_TRUE(f.arming.warmUp());
  EXPECT_EQ(f.drive.count(sim::RequestKind::BlockRead), kWarmUpReads);
  EXPECT_EQ(f.requests().front(), framed("B10C42"));

  // A drive that refuses everything: the first step says so and nothing more is sent.
  f.drive.clearLog();
  sim::FaultPlan refuse;
  refuse.refuse = 1;
  f.drive.setFaults(refuse);
  EXPECT_FALSE(f.arming.start(TraceSettings{}));
  EXPECT_EQ(f.prompt.texts(), std::vector<std::string>{texts::kEnableFailed});
  EXPECT_EQ(f.drive.requestCount(), 1);
  EXPECT_EQ(linkState().connected, 1) << "a refusal is the drive's answer, not a lost link";

  // A port that cannot carry the trace stream refuses the set-up with '#'.
  f.prompt.clear();
  f.drive.setFaults({});
  f.drive.setTracePortRefused(true);
  EXPECT_FALSE(f.arming.start(TraceSettings{}));
  EXPECT_EQ(f.prompt.texts(), std::vector<std::string>{texts::kPortRefused});
  EXPECT_EQ(linkState().connected, 1);

  f.prompt.clear();
  linkState().connected = 0;
  f.drive.clearLog();
  EXPECT_FALSE(f.arming.start(TraceSettings{}));
  EXPECT_FALSE(f.arming.readBackOn());
  EXPECT_EQ(f.prompt.texts(), (std::vector<std::string>{texts::communicateError(), texts::communicateError()}));
  EXPECT_EQ(f.drive.requestCount(), 0);
}

}  // namespace
}  // namespace zavo::trace::test
