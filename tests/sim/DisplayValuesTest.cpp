// What the virtual drive's display values mean: Un-07 the position error, Un-08 the feedback,
// Un-09 the analog speed command (+-10 V at rated speed), Un-10 the bus; the ZS output
// following the motor; and the power-on history and pinned words of the command line.

#include <gtest/gtest.h>

#include <cmath>

#include "params/catalogue/ValueConversion.h"
#include "sim/CommandLine.h"
#include "sim/HealthyDrive.h"
#include "sim/MotionModel.h"
#include "sim/MotionSource.h"
#include "sim/ParameterTable.h"
#include "sim/SimConstants.h"
#include "sim/StatusRegisters.h"
#include "tests/sim/SimLink.h"

namespace zavo::sim::test {
namespace {

// A display item's value at `ms` as the program converts it.
double displayAt(StatusRegisters& status, const DisplayItem& d, double ms) {
  status.advance(ms);
  std::uint32_t raw = *status.read(d.low);
  if (d.high) raw |= static_cast<std::uint32_t>(*status.read(*d.high)) << 16;
  const auto value = d.high ? static_cast<std::int32_t>(raw) : static_cast<std::int16_t>(raw);
  return conversion::toDisplay('U', d.item, value);
}

TEST(DisplayValues, FollowTheMotionByTheirMeaning) {
  const ParameterTable& table = ParameterTable::of(2);
  const MotionModel motion(1);
  ModelMotionSource source(motion);
  StatusRegisters status(source);
  HealthyDrive::installStatus(status, table);
  for (double ms : {250.0, 1300.0, 2750.0}) {
    const MotionSample s = motion.at(ms);
    EXPECT_NEAR(displayAt(status, *table.displayItem(kUnPositionError), ms), s.commandPulses - s.positionPulses, 1.5);
    EXPECT_NEAR(displayAt(status, *table.displayItem(kUnFeedbackPulses), ms), s.positionPulses, 1.5);
    EXPECT_NEAR(displayAt(status, *table.displayItem(kUnAnalogSpeedCommand), ms), s.speedCommandRpm / 3000 * 1000, 1);
    EXPECT_NEAR(displayAt(status, *table.displayItem(kUnBusVoltage), ms), s.busVolts, 1);
  }
}

TEST(DisplayValues, TheZeroSpeedOutputFollowsTheMotor) {
  for (int type : {0, 2}) {
    const ParameterTable& table = ParameterTable::of(type);
    const MotionModel motion(1);
    ModelMotionSource source(motion);
    StatusRegisters status(source);
    HealthyDrive::installStatus(status, table);
    const RegisterRef outputs = *table.diagnostic(kDnOutputs);
    int on = 0, off = 0;
    for (double ms = 0; ms < motion.periodMs(); ms += 10) {
      status.advance(ms);
      std::uint16_t word = *status.read(outputs);
      if (type < 2) word = static_cast<std::uint16_t>(0xFFFF - word);  // reported inverted
      const bool zs = (word >> kZeroSpeedOutputBit & 1) != 0;
      EXPECT_EQ(zs, std::fabs(motion.at(ms).speedRpm) < kZeroSpeedRpm) << ms;
      EXPECT_EQ(word & 1, 1) << "ready throughout";
      (zs ? on : off)++;
    }
    EXPECT_GT(on, 0) << type;
    EXPECT_GT(off, 0) << type;
  }
}

TEST(DisplayValues, TheCommandLineSetsTheHistoryAndPinsWords) {
  const auto cl = CommandLine::parse({"--alarms", "9,0x0C", "--pin", "B13=-41,6AF=0x8001"});
  ASSERT_EQ(cl.error, "");
  SimLink link(cl.options);
  EXPECT_EQ(link.drive.alarms(), (AlarmHistory::Codes{9, 12}));
  EXPECT_EQ(link.read('B', 0x13), 0xFFD7) << "a pinned display value stays put";
  EXPECT_EQ(link.read('6', 0xAF), 0x8001);
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--alarms", "1,2,3,4,5,6,7,8,9,10,11"}, {"--alarms", "x"}, {"--alarms", "70000"},
           {"--pin", "B13"}, {"--pin", "Z13=1"}, {"--pin", "B1G=1"}, {"--pin", "B13=70000"}, {"--pin", "B13=-40000"}})
    EXPECT_NE(CommandLine::parse(bad).error, "") << bad[0] << " " << bad[1];
}

}  // namespace
}  // namespace zavo::sim::test
