// The simulated motor's motion and the paced line: determinism for a seed, a torque that
// follows the acceleration, and a paced exchange that never beats the wire.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "link/DriveLinkCodec.h"
#include "link/Protocol.h"
#include "sim/LinePacer.h"
#include "sim/MotionModel.h"
#include "tests/sim/SimLink.h"

namespace zavo::sim::test {
namespace {

using Clock = std::chrono::steady_clock;

TEST(MotionModel, DeterministicForASeedAndDifferentAcrossSeeds) {
  const MotionModel a(11), b(11), c(12);
  for (double t : {0.0, 17.0, 1234.5, 60000.0}) {
    EXPECT_EQ(a.at(t).speedRpm, b.at(t).speedRpm);
    EXPECT_EQ(a.at(t).torquePercent, b.at(t).torquePercent);
    EXPECT_EQ(a.at(t).positionPulses, b.at(t).positionPulses);
  }
  EXPECT_NE(a.at(500).speedRpm, c.at(500).speedRpm);
}

TEST(MotionModel, SpeedMovesTorqueFollowsPositionIntegrates) {
  const MotionModel m(3);
  double correlation = 0, lowest = 0, highest = 0;
  const double step = 5;
  for (double t = 0; t < m.periodMs(); t += step) {
    const auto s = m.at(t);
    const double accel = m.at(t + 1).speedRpm - m.at(t - 1).speedRpm;
    correlation += accel * s.torquePercent;
    lowest = std::min(lowest, s.speedRpm);
    highest = std::max(highest, s.speedRpm);
    // Feedback position advances with the speed: over 5 ms, rpm/60000 rev per ms.
    const double expected = (m.at(t + step).speedRpm + s.speedRpm) / 2 * step / 60000 * MotionModel::kCountsPerRevolution;
    const double moved = m.at(t + step).positionPulses - s.positionPulses;
    // The position follows the smooth motion, the speed carries the ripple of the encoder.
    const double ripple = 0.01 * m.amplitudeRpm() * step / 60000 * MotionModel::kCountsPerRevolution;
    EXPECT_NEAR(moved, expected, std::abs(expected) * 0.05 + ripple + 1) << t;
  }
  EXPECT_GT(correlation, 0) << "the torque pushes the way the speed changes";
  EXPECT_LT(lowest, -0.9 * m.amplitudeRpm());
  EXPECT_GT(highest, 0.9 * m.amplitudeRpm());
}

TEST(LinePacer, CharacterTimeAndArrival) {
  LinePacer pacer(true, 9600, 10, 0.5);
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::microseconds>(pacer.characterTime()).count(), 1041);
  const auto t0 = Clock::now();
  const auto first = pacer.arrival(t0, 6);
  EXPECT_EQ(first - t0, pacer.characterTime() * 6);
  // A request that starts before the previous one has finished arriving queues behind it.
  EXPECT_EQ(pacer.arrival(t0, 10) - first, pacer.characterTime() * 10);
  EXPECT_EQ(LinePacer(false, 9600, 10, 0.5).arrival(t0, 6), t0);
}

TEST(PacedLine, AnExchangeNeverBeatsTheWire) {
  // 9600 baud 8N1: R6CB0D and its 7-byte reply are 13 characters of 1.04 ms, plus 0.5 ms.
  SimOptions o;
  o.pace = true;
  o.baud = 9600;
  SimLink link(o);
  const auto wire = std::chrono::duration<double, std::milli>(13 * 10.0 / 9600 * 1000 + 0.5);
  for (int i = 0; i < 5; ++i) {
    const auto start = Clock::now();
    ASSERT_TRUE(link.exchange(drivelink::readRequest('6', 0xCB), protocol::kReadReplyLength));
    const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    EXPECT_GE(took, wire.count() * 0.99);
  }
}

}  // namespace
}  // namespace zavo::sim::test
