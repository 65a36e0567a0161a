// What the virtual drive's display values mean: Un-07 the position error, Un-08 the feedback,
// Un-09 the analog speed command (+-10 V at rated speed), Un-10 the bus; and the ZS output
// following the motor.

#include <gtest/gtest.h>

#include <cmath>

#include "params/catalogue/ValueConversion.h"
#include "sim/HealthyDrive.h"
#include "sim/MotionModel.h"
#include "sim/MotionSource.h"
#include "sim/ParameterTable.h"
#include "sim/SimConstants.h"
#include "sim/StatusRegisters.h"

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

}  // namespace
}  // namespace zavo::sim::test
