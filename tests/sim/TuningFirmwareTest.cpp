// The virtual drive's tuning firmware, driven by DriveLink frames on a clock of the test's
// own (drive time need not pass in real time here): what it estimates must be the axis it
// moves, whatever the axis is, and its tests must start, stop and hand over as the program
// expects.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "link/DriveLinkCodec.h"
#include "sim/DriveEngine.h"
#include "tuning/TuningRegisters.h"

namespace zavo::sim {
namespace {

using namespace tuning;

// A drive answering frames at moments the test chooses.
class DriveAtTime {
 public:
  explicit DriveAtTime(const AxisSetup& axis, int driveType = 2) : engine(driveType, 1, 5, axis) {}

  bool write(RegisterRef r, int value) {
    const Frame f = drivelink::writeRequest(r.page, r.address, value & 0xFFFF);
    return engine.answer({LineProtocol::DriveLink, Bytes(f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.size)), {}}, ms)
               .reply == Bytes{'%'};
  }
  int read(RegisterRef r) {
    const Frame f = drivelink::readRequest(r.page, r.address);
    const Answer a = engine.answer({LineProtocol::DriveLink, Bytes(f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.size)), {}}, ms);
    if (a.reply.size() != 7 || a.reply[0] != '%') return -1;
    return static_cast<int>(std::strtol(std::string(a.reply.begin() + 1, a.reply.begin() + 5).c_str(), nullptr, 16));
  }
  int signedRead(RegisterRef r) { return static_cast<std::int16_t>(read(r)); }
  // Lets drive time pass in steps, reading the state, until the test reports finished.
  bool runTest(double maxMs) {
    for (const double end = ms + maxMs; ms < end; ms += 50)
      if (read(kTuneState) == kTuneFinished) return true;
    return false;
  }
  bool start(int mode, int selector) {
    return write(kTuneMode, kTuneIdle) && write(kTuneSelector, selector) && write(kTuneMode, mode);
  }
  void jogSpeedRpm(int rpm) { write(kJogSpeed, rpm * 4096 / 3000); }

  DriveEngine engine;
  double ms = 0;
};

AxisSetup servoOff(double ratio, double friction, double viscous, double noise, double motorInertia = 0.34) {
  AxisSetup a;
  a.servoOn = false;
  a.mechanics = AxisParameters{motorInertia, ratio, friction, viscous};
  a.noise = noise;
  return a;
}

TEST(TuningFirmwareTest, EstimatesMatchTheAxisOverAGrid) {
  struct Case {
    double ratio, friction, viscous, motorInertia;
  };
  const Case grid[] = {{0.5, 1, 0.5, 0.34}, {3, 2, 1, 0.34}, {10, 4, 2, 0.34}, {30, 2, 1, 0.34}, {3, 1, 2, 1.2}};
  for (const double noise : {0.0, 1.0}) {
    const double tolerance = noise == 0 ? 0.02 : 0.05;
    for (const Case& c : grid) {
      SCOPED_TRACE(testing::Message() << "ratio " << c.ratio << " friction " << c.friction << " viscous " << c.viscous
                                      << " Jm " << c.motorInertia << " noise " << noise);
      DriveAtTime d(servoOff(c.ratio, c.friction, c.viscous, noise, c.motorInertia));
      d.jogSpeedRpm(2000);
      ASSERT_TRUE(d.start(kTuneMotor, 6));  // motor friction
      ASSERT_TRUE(d.runTest(3000));
      ASSERT_TRUE(d.start(kTuneMotor, 7));  // inertia
      ASSERT_TRUE(d.runTest(3000));
      const double inertia = c.motorInertia * (1 + c.ratio) * 100;  // 0.01 kg·cm²
      EXPECT_NEAR(d.read(kTotalInertia), inertia, tolerance * inertia);
      EXPECT_NEAR(d.read(kViscous), c.viscous * 100, tolerance * c.viscous * 100 + 0.5);
      for (int k = 1; k <= kFrictionCount; ++k) {
        const double friction = (c.friction + c.viscous * 2 * k / 8) * 10;  // 0.1 %
        EXPECT_NEAR(d.read({'C', kFrictionFirst.address + k - 1}), friction, tolerance * friction + 0.5) << k;
      }
      // The mechanical inertia test proposes the ratio, in Cn025's tenths.
      d.jogSpeedRpm(1000);
      ASSERT_TRUE(d.start(kTuneMechanical, 2));
      ASSERT_TRUE(d.runTest(3000));
      EXPECT_NEAR(d.read(kProposedInertiaRatio), c.ratio * 10, tolerance * c.ratio * 10 + 1);
    }
  }
}

// The peak of Un-01 after a JOG step, read through the line every 0.5 ms of drive time.
double jogOvershoot(DriveAtTime& d, int rpm) {
  d.write(kJogMode, kJogModeOn);
  d.jogSpeedRpm(rpm);
  double peak = 0;
  for (const double end = d.ms + 300; d.ms < end; d.ms += 0.5) peak = std::max(peak, d.signedRead(kSpeedMonitor) * 3000 / 4096.0);
  d.write(kJogMode, kJogModeOff);
  return peak / rpm - 1;
}

TEST(TuningFirmwareTest, AdoptedGainsTakeAJogStepWithLittleOvershoot) {
  for (const double ratio : {0.5, 3.0, 10.0, 30.0}) {
    SCOPED_TRACE(ratio);
    DriveAtTime d(servoOff(ratio, 2, 1, 1));
    d.jogSpeedRpm(1000);
    ASSERT_TRUE(d.start(kTuneMechanical, 0));  // friction, inertia and both loops
    ASSERT_TRUE(d.runTest(15000));
    const int proposed = d.read(kProposedSpeedGain);
    ASSERT_TRUE(d.write(kTuneAdopt, kAdoptNew));
    EXPECT_EQ(d.read(kSpeedGain), proposed);
    EXPECT_NEAR(d.read(kInertiaRatio), ratio * 10, 0.05 * ratio * 10 + 1);
    // Stored too: they are the drive's parameters from now on.
    EXPECT_EQ(d.engine.storedParameter("Sn211"), proposed);
    EXPECT_EQ(d.engine.storedParameter("Cn025"), d.read(kInertiaRatio));
    EXPECT_LT(d.read(kPositionGain), 2 * M_PI * d.read(kSpeedGain));  // slower than the speed loop
    d.ms += 500;
    EXPECT_LT(jogOvershoot(d, 1000), 0.20);
  }
}

TEST(TuningFirmwareTest, DiscardedProposalsLeaveTheWorkingGains) {
  DriveAtTime d(servoOff(10, 2, 1, 1));
  const int before = d.read(kSpeedGain);
  d.jogSpeedRpm(1000);
  ASSERT_TRUE(d.start(kTuneMechanical, 5));
  ASSERT_TRUE(d.runTest(3000));
  EXPECT_NE(d.read(kProposedSpeedGain), before);
  ASSERT_TRUE(d.write(kTuneAdopt, kDiscardNew));
  ASSERT_TRUE(d.write(kTuneAdopt, kAdoptNew));  // nothing left to adopt
  EXPECT_EQ(d.read(kSpeedGain), before);
}

TEST(TuningFirmwareTest, ModeTwoWithoutANewSelectorIsTheAdjustmentWithLoopGains) {
  DriveAtTime d(servoOff(3, 2, 1, 1));
  ASSERT_TRUE(d.write(kTuneMode, kTuneMechanical));
  bool progressed = false;
  for (const double end = d.ms + 3000; d.ms < end && d.read(kProgress) != kProgressDone; d.ms += 100)
    progressed = progressed || (d.read(kProgress) > 0 && d.read(kProgress) < kProgressDone);
  EXPECT_TRUE(progressed);
  EXPECT_EQ(d.read(kProgress), kProgressDone);
  // On the working registers at once, not stored; the loop gains by the bandwidth tn10.
  EXPECT_NEAR(d.read(kInertiaRatio), 30, 2);
  EXPECT_EQ(d.read(kSpeedGain), 333);
  EXPECT_GT(d.read(kCurrentGain), 0);
  EXPECT_GT(d.read(kCurrentIntegral), 0);
  EXPECT_EQ(d.read(kCurrentPeriod), 5);
  EXPECT_EQ(d.engine.storedParameter("Sn211"), 40);
}

TEST(TuningFirmwareTest, OfflineAutoGainStartsOnTheModeFlagEdgeWithModeOneIn51D) {
  struct Case {
    int driveType;
    int controlWord;
    bool starts;
  };
  for (const Case c : {Case{2, 0x0100, true}, Case{0, 0x0100, true}, Case{2, 0x0000, false}, Case{2, 0x0200, false}}) {
    SCOPED_TRACE(testing::Message() << c.driveType << " " << c.controlWord);
    DriveAtTime d(servoOff(3, 2, 1, 1), c.driveType);
    const RegisterRef mode = autoGainRegisters(c.driveType).mode;
    ASSERT_TRUE(d.write(kControlWord, c.controlWord));
    ASSERT_TRUE(d.write(mode, kAdjustStart));
    d.ms += 10;
    // The program ends the request at once: the adjustment runs on.
    ASSERT_TRUE(d.write(kControlWord, 0));
    ASSERT_TRUE(d.write(mode, kAdjustIdle));
    d.ms += 3100;
    EXPECT_EQ(d.read(kProgress) == kProgressDone, c.starts);
    if (c.starts) {
      EXPECT_NEAR(d.read(kTotalInertia), 136, 7);
      EXPECT_NEAR(*d.engine.storedParameter("Cn025"), 30, 2);
      EXPECT_EQ(*d.engine.storedParameter("Sn211"), 50);  // tn17's stiffness
    }
  }
}

TEST(TuningFirmwareTest, NothingStartsWithTheServoOnAndStopEndsARunningTest) {
  AxisSetup on = servoOff(3, 2, 1, 1);
  on.servoOn = true;
  DriveAtTime d(on);
  ASSERT_TRUE(d.start(kTuneMotor, 7));
  EXPECT_FALSE(d.runTest(3000));

  DriveAtTime off(servoOff(3, 2, 1, 1));
  off.jogSpeedRpm(1000);
  ASSERT_TRUE(off.start(kTuneMotor, 7));
  off.ms += 200;
  ASSERT_NE(off.read(kSpeedMonitor), 0);
  ASSERT_TRUE(off.write(kTuneMode, kTuneIdle));
  EXPECT_FALSE(off.runTest(3000));
  EXPECT_EQ(off.read(kSpeedMonitor), 0);  // coasted to rest
}

TEST(TuningFirmwareTest, PoleAlignmentTurnsTheRotorIntoLineOrReportsTheAlarm) {
  struct Case {
    int current;  // n/8192 of rated current
    double friction;
    int status;
  };
  for (const Case c : {Case{4096, 2, kPoleOk}, Case{100, 2, kPoleAlarm}, Case{4096, 60, kPoleAlarm}}) {
    SCOPED_TRACE(c.current);
    DriveAtTime d(servoOff(3, c.friction, 1, 1));
    ASSERT_TRUE(d.write(kPoleAlignCurrent, c.current));
    ASSERT_TRUE(d.write(kPoleAlignOn, 1));
    d.ms += 500;
    EXPECT_EQ(d.read(kPoleAlignStatus), kPoleTuning);
    d.ms += 600;
    EXPECT_EQ(d.read(kPoleAlignStatus), c.status);
    EXPECT_EQ(d.read(kPoleAlignOn), 1);
  }
}

}  // namespace
}  // namespace zavo::sim
