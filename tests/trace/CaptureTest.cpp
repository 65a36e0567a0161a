// The worker against the in-process virtual drive: every way through a capture, the record
// order it hands over, stopping, reading back, and what the line's faults do to it.

#include <atomic>
#include <cmath>

#include "tests/trace/CaptureFixture.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceTexts.h"

namespace zavo::trace::test {
namespace {

using namespace std::chrono_literals;

constexpr int kAngle = 0, kSpeed = 1, kDeviation = 3;

// Angle, speed feedback, torque command, deviation at 100 µs.
TraceSettings settingsFor(TraceMode mode) {
  TraceSettings s;
  s.mode = static_cast<int>(mode);
  s.sources = {kSourceElectricalAngle, kSourceSpeedFeedback, kSourceTorqueCommand, kSourceDeviation};
  return s;
}

TraceSettings triggeredAt(TraceMode mode, int position) {
  TraceSettings s = settingsFor(mode);
  s.triggerChannel = 1;
  s.triggerLevel = 180;
  s.edge = static_cast<int>(TriggerEdge::Both);
  s.triggerPosition = position;
  return s;
}

int count(const std::vector<std::string>& requests, const std::string& frame) {
  return static_cast<int>(std::count(requests.begin(), requests.end(), frame));
}

// The records are one stretch of the drive's signals, in time order: their indices run on
// from record to record, the rotor's electrical angle moves as far as the speed carries it
// (4 pole pairs, 100 µs a sample), and the deviation is the 2 ms the position lags behind.
void expectOneStretchOfMotion(const std::vector<TraceRecord>& r, const std::string& what) {
  ASSERT_FALSE(r.empty()) << what;
  int faults = 0;
  for (std::size_t k = 1; k < r.size() && faults < 5; ++k) {
    const auto& a = r[k - 1].values;
    const auto& b = r[k].values;
    if (r[k].index != (r[k - 1].index + 1) % kRecordsPerHalf) ++faults, ADD_FAILURE() << what << ": index gap at " << k;
    const double moved = std::remainder(b[kAngle] - a[kAngle], 360.0);
    const double expected = b[kSpeed] * 4 * 360.0 / 60000 * 0.1;
    if (std::fabs(moved - expected) > 2)
      ++faults, ADD_FAILURE() << what << ": angle " << a[kAngle] << " -> " << b[kAngle] << " at " << b[kSpeed] << " rpm, record " << k;
    if (std::fabs(b[kDeviation] - b[kSpeed] / 3.0) > 4 + std::fabs(b[kSpeed]) * 0.02)
      ++faults, ADD_FAILURE() << what << ": deviation " << b[kDeviation] << " at " << b[kSpeed] << " rpm";
  }
}

// The trigger sample sits at 1024 × position / 100, right after the sample before the edge.
void expectTriggerAt(const std::vector<TraceRecord>& r, int position, int level, const std::string& what) {
  ASSERT_EQ(r.size(), static_cast<std::size_t>(kRecordsPerCapture)) << what;
  const std::size_t p = static_cast<std::size_t>(kRecordsPerCapture * position / 100);
  const int before = r[p - 1].values[kAngle], at = r[p].values[kAngle];
  EXPECT_TRUE((before < level && level <= at) || (before > level && level >= at))
      << what << ": " << before << " -> " << at << " at " << p;
}

TEST(TraceCapture, SingleWithoutTriggerComesOutInRecordOrder) {
  CaptureFixture f;
  ASSERT_TRUE(f.begin(settingsFor(TraceMode::Single)));
  ASSERT_TRUE(f.waitForEnd());
  EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Done);
  const auto r = f.exchange.queue.takeAll();
  ASSERT_EQ(r.size(), 1024u);
  EXPECT_EQ(r.front().index, 0);
  EXPECT_EQ(r[600].index, 600 - 512);
  expectOneStretchOfMotion(r, "single");
  EXPECT_TRUE(f.exchange.newData);
  EXPECT_EQ(f.exchange.half, 1);
  const auto q = f.requests();
  EXPECT_EQ(q.back(), framed("W7D40000")) << "the drive is stopped once its record is read";
  EXPECT_EQ(f.drive.count(sim::RequestKind::BlockRead) - count(q, framed("B109F6")), 16);
}

TEST(TraceCapture, TriggeredRecordsPutTheTriggerAtItsPosition) {
  struct Case {
    TraceMode mode;
    int position;
    int records;  // Cycle: two records in a row
  };
  for (const Case c : {Case{TraceMode::Single, 25, 1}, Case{TraceMode::Single, 1, 1}, Case{TraceMode::Cycle, 50, 2}}) {
    const std::string what = std::string(c.mode == TraceMode::Cycle ? "cycle" : "single") + " at " + std::to_string(c.position);
    CaptureFixture f;
    ASSERT_TRUE(f.begin(triggeredAt(c.mode, c.position))) << what;
    for (int n = 0; n < c.records; ++n) {
      ASSERT_TRUE(f.waitFor([&] { return f.exchange.queue.pending() == 1024; })) << what;
      const auto r = f.exchange.queue.takeAll();
      expectTriggerAt(r, c.position, 180, what);
      expectOneStretchOfMotion(r, what);
    }
  }
}

TEST(TraceCapture, ReadBackGivesTheRecordTheDriveHolds) {
  CaptureFixture f;
  ASSERT_TRUE(f.begin(triggeredAt(TraceMode::Single, 10)));
  ASSERT_TRUE(f.waitForEnd());
  const auto captured = f.exchange.queue.takeAll();
  ASSERT_EQ(captured.size(), 1024u);
  f.arming.stop();

  ASSERT_TRUE(f.arming.readBackOn());
  f.arming.startWorker(triggeredAt(TraceMode::Single, 10), f.post());
  ASSERT_TRUE(f.waitForEnd());
  EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Done);
  EXPECT_EQ(f.exchange.queue.takeAll(), captured);
}

TEST(TraceCapture, CycleShowsOneRecordAtATimeAndMonitorKeepsEverything) {
  {
    CaptureFixture f;
    ASSERT_TRUE(f.begin(settingsFor(TraceMode::Cycle)));
    std::size_t most = 0;
    f.waitFor([&] {
      most = std::max(most, f.exchange.queue.pending());
      return count(f.requests(), framed("W7D20002")) >= 3;
    });
    EXPECT_EQ(most, 1024u) << "each first half empties the queue";
    EXPECT_GE(count(f.requests(), framed("W7D20002")), 3);
  }
  CaptureFixture f;
  TraceSettings monitor = settingsFor(TraceMode::Monitor);
  ASSERT_TRUE(f.begin(monitor));
  // Every half goes back to the drive once read.
  ASSERT_TRUE(f.waitFor([&] { return f.exchange.queue.pending() >= 256 && count(f.requests(), framed("W7D20002")) >= 2; }));
  const auto r = f.exchange.queue.take(256);
  EXPECT_EQ(r[127].index, 127);
  EXPECT_EQ(r[128].index, 0);
  EXPECT_EQ(r[255].index, 127);
  EXPECT_EQ(f.drive.traceOverruns(), 0);
}

TEST(TraceCapture, StopEndsAWorkerThatIsNeverReady) {
  CaptureFixture f;
  // DI-2 is not servo on: it stays 0 and never rises to 1.
  TraceSettings s = settingsFor(TraceMode::Single);
  s.sources[1] = kFirstDigitalSource + 1;
  s.triggerChannel = 2;
  s.triggerLevel = 1;
  ASSERT_TRUE(f.begin(s));
  std::this_thread::sleep_for(200ms);
  EXPECT_TRUE(f.arming.workerActive());
  f.arming.stop();
  EXPECT_FALSE(f.arming.workerActive());
  EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Stopped);
  EXPECT_TRUE(f.postedTexts().empty());
}

TEST(TraceCapture, StopIsTakenBetweenBlocksOfAHalf) {
  // At 19200 baud a block of 64 records takes 0.77 s on the line and a half six seconds.
  CaptureFixture f(pacedAt(19200));
  ASSERT_TRUE(f.begin(settingsFor(TraceMode::Single)));
  const auto blocks = [&] {
    int n = 0;
    for (const auto& q : f.requests()) n += q.size() == kBlockRequestLength;
    return n;
  };
  ASSERT_TRUE(f.waitFor([&] { return blocks() >= 1; }));
  f.arming.stop();
  EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Stopped);
  EXPECT_LE(blocks(), 2);
}

TEST(TraceCapture, RingOrderStartsAtTheRingPosition) {
  std::vector<TraceRecord> records(1024);
  for (int i = 0; i < 1024; ++i) records[static_cast<std::size_t>(i)].values[0] = i;
  struct Case {
    std::size_t size;
    int position;
    int first, last;
  };
  for (const Case c : {Case{1024, 1000, 1000, 999}, Case{1024, 0, 0, 1023}, Case{256, 200, 200, 199}, Case{256, 300, 0, 255}}) {
    const auto r = CMyThread::ringOrder({records.begin(), records.begin() + static_cast<long>(c.size)}, c.position);
    ASSERT_EQ(r.size(), c.size);
    EXPECT_EQ(r.front().values[0], c.first) << c.position;
    EXPECT_EQ(r.back().values[0], c.last) << c.position;
  }
}

TEST(TraceCapture, ASpoiltBlockIsReadAgainOnceThenTheCaptureFails) {
  for (const int spoilt : {1, 2}) {
    CaptureFixture f;
    f.drive.spoilTraceBlocks(spoilt);
    ASSERT_TRUE(f.begin(settingsFor(TraceMode::Single)));
    ASSERT_TRUE(f.waitForEnd());
    if (spoilt == 1) {
      EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Done);
      expectOneStretchOfMotion(f.exchange.queue.takeAll(), "re-read block");
      EXPECT_TRUE(f.postedTexts().empty());
    } else {
      EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Failed);
      EXPECT_EQ(f.postedTexts(), std::vector<std::string>{texts::communicateError()});
      EXPECT_EQ(linkState().connected, 0);
    }
  }
}

TEST(TraceCapture, LineFaultsMidCaptureEndTheWorkerWithTheirMessage) {
  struct Case {
    const char* name;
    sim::FaultPlan faults;
    bool portRefused;
    const char* message;
    int connected;
  };
  sim::FaultPlan drop, unplug, corrupt;
  drop.drop = 1;
  unplug.unplugAfter = 5;
  corrupt.corrupt = 1;
  const Case cases[] = {
      {"drop", drop, false, nullptr, 0},
      {"corrupt", corrupt, false, nullptr, 0},
      {"unplug", unplug, false, nullptr, 0},
      {"port refused", {}, true, texts::kPortRefused, 1},
  };
  for (const auto& c : cases) {
    CaptureFixture f;
    ASSERT_TRUE(f.begin(settingsFor(TraceMode::Monitor))) << c.name;
    f.drive.setFaults(c.faults);
    f.drive.setTracePortRefused(c.portRefused);
    ASSERT_TRUE(f.waitForEnd()) << c.name;
    EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Failed) << c.name;
    EXPECT_EQ(f.postedTexts(), std::vector<std::string>{c.message ? c.message : texts::communicateError()}) << c.name;
    EXPECT_EQ(linkState().connected, c.connected) << c.name;
    if (c.portRefused) {
      const auto q = f.requests();
      EXPECT_EQ(std::vector<std::string>(q.end() - 2, q.end()), (std::vector<std::string>{framed("W7D40000"), framed("W7D20000")}));
    }
  }
}

TEST(TraceCapture, AnotherThreadDrainsWhileTheWorkerReads) {
  CaptureFixture f;
  std::atomic<bool> done{false};
  std::atomic<long> drained{0};
  std::thread display([&] {
    while (!done) {
      for (const auto& r : f.exchange.queue.take(100)) drained += r.index >= 0 && r.index < kRecordsPerHalf;
      std::this_thread::sleep_for(1ms);
    }
  });
  ASSERT_TRUE(f.begin(settingsFor(TraceMode::Cycle)));
  f.waitFor([&] { return drained >= 3 * 1024; });
  f.arming.stop();
  done = true;
  display.join();
  EXPECT_GE(drained, 3 * 1024);
  EXPECT_EQ(f.arming.workerOutcome(), WorkerOutcome::Stopped);
}

}  // namespace
}  // namespace zavo::trace::test
