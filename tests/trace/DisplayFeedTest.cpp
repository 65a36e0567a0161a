// The trace window's display timers against the virtual drive: what each one moves from the
// worker's queue into the display, when it hands the capture back, and that what it showed
// is saved and opened again unchanged.

#include <filesystem>

#include "tests/trace/CaptureFixture.h"
#include "trace/TraceDisplayFeed.h"
#include "trace/TraceFiles.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceView.h"

namespace zavo::trace::test {
namespace {

TraceSettings capture(TraceMode mode, bool triggered = false) {
  TraceSettings s;
  s.mode = static_cast<int>(mode);
  s.sources = {kSourceElectricalAngle, kSourceSpeedFeedback, kSourceTorqueCommand, kSourceDeviation};
  if (triggered) {
    s.triggerChannel = 1;
    s.triggerLevel = 180;
    s.edge = static_cast<int>(TriggerEdge::Both);
    s.triggerPosition = 20;
  } else {
    s.triggerPosition = 40;  // kept by the settings, no part of an untriggered record
  }
  return s;
}

// The angle moves from sample to sample wherever the record has samples.
int movingFrom(const std::vector<std::int32_t>& angle) {
  for (std::size_t i = 1; i < angle.size(); ++i)
    if (angle[i] != angle[i - 1]) return static_cast<int>(i - 1);
  return -1;
}

struct Display {
  explicit Display(CaptureFixture& f, const TraceSettings& s) : view(2, s, {}), feed(f.exchange.queue, view.display()) {}
  TraceView view;
  TraceDisplayFeed feed;
};

TEST(TraceDisplayFeed, RollBudget) {
  struct Case {
    int interval;
    std::size_t pending;
    double elapsed;
    std::size_t moved;
  };
  const Case cases[] = {
      {1, 10, 50, 10},  {1, 500, 50, 10}, {1, 40, 50, 5},   {2, 4, 50, 4},     {2, 80, 50, 5},
      {10, 3, 50, 1},   {20, 9, 50, 1},   {20, 9, 5, 0},    {1, 11, 200, 10},  {1250, 0, 50, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rollBudget(c.interval, c.pending, c.elapsed), c.moved) << c.interval << " " << c.pending << " " << c.elapsed;
}

TEST(TraceDisplayFeed, SingleWithoutTriggerShowsTheRecordFromItsFirstPointAndIsSavedAsShown) {
  CaptureFixture f;
  const TraceSettings s = capture(TraceMode::Single);
  Display d(f, s);
  ASSERT_TRUE(f.begin(s));
  d.feed.begin(s, false);
  EXPECT_EQ(d.feed.timerId(), kSingleTimerId);
  EXPECT_EQ(d.feed.tick(false, 100), FeedStep::Wait) << "nothing until the worker is done";
  ASSERT_TRUE(f.waitForEnd());
  EXPECT_EQ(d.feed.tick(true, 100), FeedStep::StopCapture);
  EXPECT_EQ(d.feed.timerId(), 0);
  ASSERT_EQ(d.view.display(0).size(), 1024u);
  EXPECT_EQ(movingFrom(d.view.display(0)), 0) << "the record starts at the left edge, not after a run of zeros";
  EXPECT_NE(d.view.display(0).back(), 0);

  d.view.keepDisplayed();
  EXPECT_GE(d.view.scale(0).units, 50) << "AUTO follows the angle (0-359)";
  const auto dir = std::filesystem::temp_directory_path() / ("trace-feed-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "single.trd").string();
  ASSERT_EQ(saveTraceFile(path, d.view.record()).outcome, TraceSave::Outcome::Written);
  const TraceOpen o = openTraceFile(path, 2, 0);
  std::filesystem::remove_all(dir);
  ASSERT_EQ(o.result, TraceOpenResult::Ok);
  TraceView reopened(2, TraceSettings{}, {});
  reopened.takeRecord(o.file);
  EXPECT_EQ(reopened.stored(0), d.view.stored(0));
  EXPECT_EQ(reopened.display(0), d.view.display(0)) << "the line on the screen has its 1024 points";
  EXPECT_EQ(reopened.scale(0), d.view.scale(0));
  EXPECT_EQ(reopened.settings().sources, s.sources);
}

TEST(TraceDisplayFeed, CycleShowsEveryRecordOfExactly1024AndEndsWithTheWorker) {
  CaptureFixture f;
  const TraceSettings s = capture(TraceMode::Cycle);
  Display d(f, s);
  ASSERT_TRUE(f.begin(s));
  d.feed.begin(s, false);
  EXPECT_EQ(d.feed.timerId(), kRecordTimerId);
  for (int record = 0; record < 3; ++record) {
    ASSERT_TRUE(f.waitFor([&] { return f.exchange.queue.pending() >= 1024; })) << record;
    EXPECT_EQ(d.feed.tick(false, 100), FeedStep::Redraw) << record;
    EXPECT_EQ(d.feed.timerId(), kCycleTimerId) << "the first record hands over to the continuation";
    EXPECT_EQ(movingFrom(d.view.display(0)), 0) << record;
    EXPECT_EQ(d.feed.tick(false, 100), FeedStep::Wait);
  }
  f.arming.stop();
  EXPECT_EQ(d.feed.tick(true, 100), FeedStep::StopCapture);
}

TEST(TraceDisplayFeed, TriggeredSingleStopsAfterItsRecordAndCycleGoesOn) {
  for (const TraceMode mode : {TraceMode::Single, TraceMode::Cycle}) {
    CaptureFixture f;
    const TraceSettings s = capture(mode, true);
    Display d(f, s);
    ASSERT_TRUE(f.begin(s));
    d.feed.begin(s, false);
    EXPECT_EQ(d.feed.timerId(), kRecordTimerId);
    ASSERT_TRUE(f.waitFor([&] { return f.exchange.queue.pending() >= 1024; }));
    const FeedStep step = d.feed.tick(false, 100);
    const std::int32_t before = d.view.display(0)[203], at = d.view.display(0)[204];
    EXPECT_TRUE((before < 180 && 180 <= at) || (before > 180 && 180 >= at)) << before << " -> " << at;
    if (mode == TraceMode::Single) {
      EXPECT_EQ(step, FeedStep::StopCapture);
    } else {
      EXPECT_EQ(step, FeedStep::Redraw);
      EXPECT_EQ(d.feed.timerId(), kRecordTimerId) << "a triggered cycle stays with its timer";
    }
  }
}

TEST(TraceDisplayFeed, MonitorRollsAtMostTenRecordsATickAtInterval1) {
  CaptureFixture f;
  TraceSettings s = capture(TraceMode::Monitor);
  s.interval = 1;
  Display d(f, s);
  ASSERT_TRUE(f.begin(s));
  d.feed.begin(s, false);
  EXPECT_EQ(d.feed.timerId(), kRollTimerId);
  EXPECT_EQ(d.feed.intervalMs(), 50);
  ASSERT_TRUE(f.waitFor([&] { return f.exchange.queue.pending() >= 128; }))
      << (f.postedTexts().empty() ? "" : f.postedTexts().front());
  const std::size_t pending = f.exchange.queue.pending();
  EXPECT_EQ(d.feed.tick(false, 50), FeedStep::Redraw);
  EXPECT_EQ(pending - f.exchange.queue.pending(), 10u);
  ASSERT_EQ(d.view.display(0).size(), 5120u);
  EXPECT_EQ(movingFrom(d.view.display(0)), 5109) << "the ten new points enter on the right";
}

TEST(TraceDisplayFeed, AReadBackShowsWhatTheDriveHoldsAndEndsItself) {
  CaptureFixture f;
  const TraceSettings s = capture(TraceMode::Single, true);
  Display d(f, s);
  ASSERT_TRUE(f.begin(s));
  d.feed.begin(s, false);
  ASSERT_TRUE(f.waitFor([&] { return d.feed.tick(!f.arming.workerActive(), 100) == FeedStep::StopCapture; }));
  f.arming.stop();
  const auto shown = d.view.display(0);

  d.view.clearForCapture();
  ASSERT_TRUE(f.arming.readBackOn());
  f.arming.startWorker(s, f.post());
  d.feed.begin(s, true);
  EXPECT_EQ(d.feed.timerId(), kSingleTimerId);
  ASSERT_TRUE(f.waitForEnd());
  EXPECT_EQ(d.feed.tick(true, 100), FeedStep::StopReadBack);
  EXPECT_EQ(d.view.display(0), shown);
}

}  // namespace
}  // namespace zavo::trace::test
