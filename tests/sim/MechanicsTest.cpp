// Physics of the virtual drive's axis: inertia, friction, torque limits and the control
// loops, checked against what the equations of a rigid axis say.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sim/MechanicsEngine.h"

namespace zavo::sim {
namespace {

struct Response {
  std::vector<AxisSample> samples;
  // First time the measured speed reaches `rpm` (the sign of rpm gives the direction).
  double timeToReach(double rpm) const {
    for (const auto& s : samples)
      if (rpm >= 0 ? radSToRpm(s.speedRadS) >= rpm : radSToRpm(s.speedRadS) <= rpm) return s.ms;
    return -1;
  }
  double peakRpm() const {
    double peak = 0;
    for (const auto& s : samples) peak = std::max(peak, radSToRpm(s.speedRadS));
    return peak;
  }
};

LoopSettings matched(double ratio, double bandwidthHz) {
  LoopSettings s;
  s.speedBandwidthHz = bandwidthHz;
  s.assumedInertiaRatio = ratio;
  // The integral time that gives a damping of about 1.1 for a matched loop.
  s.integralMs = 5 / (2 * M_PI * bandwidthHz) * 1000;
  return s;
}

Response jogStep(const AxisParameters& axis, const LoopSettings& loop, double rpm, double ms, double noise = 0) {
  MotionModel swing(1);
  MechanicsEngine engine(axis, swing, 1, noise);
  engine.configure(loop);
  Response run;
  engine.record([&run](const AxisSample& s) { run.samples.push_back(s); });
  engine.holdSpeed(rpm);
  engine.advanceTo(ms);
  return run;
}

TEST(MechanicsTest, JogStepLagsByInertiaAndLoopBandwidth) {
  struct Case {
    double ratio, assumedRatio, bandwidthHz;
  };
  // A matched loop at bandwidth f answers in a time proportional to 1/f; a loop that assumes
  // too little inertia is slower by the ratio of the inertias.
  const AxisParameters axis3{0.34, 3, 2, 1};
  const double t40 = jogStep(axis3, matched(3, 40), 1000, 300).timeToReach(500);
  ASSERT_GT(t40, 0);
  const Case cases[] = {{3, 3, 20}, {3, 1, 40}, {9, 4, 40}};
  for (const Case& c : cases) {
    AxisParameters a = axis3;
    a.inertiaRatio = c.ratio;
    LoopSettings l = matched(c.assumedRatio, c.bandwidthHz);
    const double slower = (40 / c.bandwidthHz) * (1 + c.ratio) / (1 + c.assumedRatio);
    const double t = jogStep(a, l, 1000, 600).timeToReach(500);
    EXPECT_NEAR(t / t40, slower, 0.15 * slower) << c.ratio << " " << c.assumedRatio << " " << c.bandwidthHz;
  }
  // The lag itself: the ideal PI loop (ωc = 2π·40 /s, Ti = 5/ωc, no friction) is half-way
  // after 2.55 ms; friction and the current loop add a little.
  EXPECT_NEAR(t40, 2.55, 0.4);
}

TEST(MechanicsTest, MatchedLoopSettlesOnTheJogSpeedWithLittleOvershoot) {
  for (double ratio : {0.0, 3.0, 20.0}) {
    const AxisParameters a{0.34, ratio, 2, 1};
    const Response run = jogStep(a, matched(ratio, 40), 1000, 500, 1);
    EXPECT_LT(run.peakRpm(), 1200) << ratio;
    EXPECT_NEAR(radSToRpm(run.samples.back().speedRadS), 1000, 3) << ratio;
  }
}

TEST(MechanicsTest, AccelerationTakesTorqueByInertiaAndFriction) {
  // While the loop accelerates, torque = J dω/dt + Fc + B ω at every moment.
  const AxisParameters a{0.34, 3, 2, 1};
  const Response run = jogStep(a, matched(3, 40), 1000, 100);
  const double j = 0.34e-4 * 4, rated = a.ratedTorqueNm;
  const double fc = 0.02 * rated, b = 0.01 * rated / (1000 * 2 * M_PI / 60);
  int checked = 0;
  for (std::size_t i = 50; i + 50 < run.samples.size(); i += 50) {
    const auto& s0 = run.samples[i - 5];
    const auto& s1 = run.samples[i + 5];
    const double accel = (s1.speedRadS - s0.speedRadS) / ((s1.ms - s0.ms) / 1000);
    const auto& s = run.samples[i];
    if (s.speedRadS < 1) continue;
    EXPECT_NEAR(s.torqueNm, j * accel + fc + b * s.speedRadS, 0.03 * rated) << s.ms;
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

TEST(MechanicsTest, FreeAxisCoastsDownAsFrictionSays) {
  // dω/dt = -(Fc + Bω)/J stops after (J/B) ln(1 + Bω0/Fc).
  const AxisParameters a{0.34, 3, 2, 1};
  MotionModel swing(1);
  MechanicsEngine engine(a, swing, 1, 0);
  engine.configure(matched(3, 40));
  engine.holdSpeed(1000);
  engine.advanceTo(300);
  const double w0 = engine.axis().motorSpeed();
  std::vector<AxisSample> samples;
  engine.record([&](const AxisSample& s) { samples.push_back(s); });
  engine.release();
  engine.advanceTo(3000);
  const double j = engine.axis().totalInertia(), fc = engine.axis().coulombNm(), b = engine.axis().viscousNmPerRadS();
  const double expected = j / b * std::log(1 + b * w0 / fc) * 1000;
  double stopped = -1;
  for (const auto& s : samples)
    if (s.speedRadS == 0 && stopped < 0) stopped = s.ms - 300;
  EXPECT_NEAR(stopped, expected, 0.01 * expected);
  EXPECT_EQ(engine.axis().motorSpeed(), 0);  // and stays at rest
}

TEST(MechanicsTest, TorqueBelowStaticFrictionDoesNotMoveTheShaft) {
  struct Case {
    double torquePercent;
    bool moves;
  };
  const AxisParameters a{0.34, 3, 2, 1};
  for (const Case c : {Case{1.9, false}, Case{-1.9, false}, Case{2.5, true}, Case{-10, true}}) {
    MotionModel swing(1);
    MechanicsEngine engine(a, swing, 1, 0);
    engine.holdTorque(c.torquePercent / 100 * a.ratedTorqueNm);
    engine.advanceTo(50);
    EXPECT_EQ(engine.axis().motorSpeed() != 0, c.moves) << c.torquePercent;
    if (c.moves) {
      EXPECT_EQ(engine.axis().motorSpeed() > 0, c.torquePercent > 0) << c.torquePercent;
    }
  }
}

TEST(MechanicsTest, TorqueLimitsCapTheAcceleration) {
  // At a 50 % limit the axis accelerates at (limit - friction) / J whatever the gain asks.
  const AxisParameters a{0.34, 3, 2, 1};
  for (double sign : {1.0, -1.0}) {
    LoopSettings l = matched(3, 200);
    l.torqueLimitCcwPercent = 50;
    l.torqueLimitCwPercent = -50;
    const Response run = jogStep(a, l, sign * 2000, 100);
    const double j = 0.34e-4 * 4, rated = a.ratedTorqueNm;
    const double t = run.timeToReach(sign * 1000) / 1000;  // s
    const double w = 1000 * 2 * M_PI / 60;
    // Viscous friction grows with speed: integrate its mean over the ramp.
    const double accel = (0.5 * rated - 0.02 * rated - 0.01 * rated * 0.5) / j;
    EXPECT_NEAR(t, w / accel, 0.03 * w / accel) << sign;
    for (const auto& s : run.samples) ASSERT_LE(std::fabs(s.torqueNm), 0.5 * rated + 1e-9);
  }
}

TEST(MechanicsTest, SameSeedMovesTheSameWay) {
  const AxisParameters a{0.34, 3, 2, 1};
  const auto speeds = [&](std::uint64_t seed) {
    MotionModel swing(seed);
    MechanicsEngine engine(a, swing, seed, 1);
    engine.followSwing();
    std::vector<double> v;
    for (int ms = 10; ms <= 500; ms += 10) v.push_back(engine.advanceTo(ms).speedRpm);
    return v;
  };
  EXPECT_EQ(speeds(7), speeds(7));
  EXPECT_NE(speeds(7), speeds(8));
}

TEST(MechanicsTest, ServoOnFollowsTheSwingPosition) {
  const AxisParameters a{0.34, 3, 2, 1};
  MotionModel swing(3);
  MechanicsEngine engine(a, swing, 3, 1);
  engine.configure(matched(3, 40));
  engine.followSwing();
  for (double ms = 0; ms <= 6000; ms += 250) {
    const MotionSample& s = engine.advanceTo(ms);
    // From power-on: the speed of the swing, and a deviation of the 2 ms by which the drive's
    // smoothing delays the command (speed × 2 ms: rpm / 3 in counts), the loop's own lag
    // hardly adding to it.
    EXPECT_NEAR(s.speedRpm, swing.at(ms).speedRpm, 0.01 * swing.amplitudeRpm()) << ms;
    EXPECT_NEAR(s.commandPulses - s.positionPulses, s.speedRpm / 3, 4 + 0.02 * std::fabs(s.speedRpm)) << ms;
  }
}

}  // namespace
}  // namespace zavo::sim
