// The drive's memory as the program's transfers use it: the indirect access window of both
// layouts, the power-on defaults, the alarm history and the display values.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/ParameterImages.h"
#include "params/catalogue/ValueConversion.h"
#include "sim/ParameterTable.h"
#include "sim/SimConstants.h"
#include "tests/sim/SimLink.h"
#include "tuning/TuningRegisters.h"

namespace zavo::sim::test {
namespace {

constexpr int kCn001Linear = 0x10;  // '5' 0x10
constexpr int kCn003Linear = 0x11;  // '5' 0x11

class WindowLayouts : public ::testing::TestWithParam<int> {};

TEST_P(WindowLayouts, StoreKeepsTheRunningValueFetchReadsTheStoredOne) {
  SimOptions o;
  o.driveType = GetParam();
  SimLink link(o);
  const int running = link.read('5', 0x10);
  ASSERT_TRUE(link.store(kCn001Linear, 5));
  EXPECT_EQ(link.drive.storedWord(kCn001Linear), 5);
  EXPECT_EQ(link.read('5', 0x10), running) << "a store alone must not change the running value";
  EXPECT_EQ(link.fetch(kCn001Linear), 5);

  ASSERT_TRUE(link.write('5', 0x10, 7));
  EXPECT_EQ(link.fetch(kCn001Linear), 5) << "a direct write must not change the stored value";
  link.drive.powerCycle();
  EXPECT_EQ(link.read('5', 0x10), 5) << "after a power cycle the stored value runs";
}

TEST_P(WindowLayouts, TheOtherLayoutIsPlainRegisters) {
  // The registers of the other family's window are ordinary words here: writing them stores
  // nothing.
  SimOptions o;
  o.driveType = GetParam();
  SimLink link(o);
  const auto& other = o.driveType >= protocol::kFirstM7DriveType ? protocol::kWindowOlder : protocol::kWindowM7;
  const int before = link.drive.storedWord(kCn003Linear);
  link.write('5', other.writeAddress, kCn003Linear);
  link.write('5', other.writeData, before + 1);
  link.write('5', other.command, protocol::kWindowStore);
  EXPECT_EQ(link.drive.storedWord(kCn003Linear), before);
}

TEST_P(WindowLayouts, CommandsTheDriveCannotCarryOutAreRefused) {
  SimOptions o;
  o.driveType = GetParam();
  SimLink link(o);
  const auto& w = protocol::windowOf(o.driveType);
  ASSERT_TRUE(link.write('5', w.readAddress, 0xFFF0));  // no such word
  EXPECT_FALSE(link.write('5', w.command, protocol::kWindowFetch));
  ASSERT_TRUE(link.write('5', w.writeAddress, 0xFFF0));
  EXPECT_FALSE(link.write('5', w.command, protocol::kWindowStore));
  EXPECT_FALSE(link.write('5', w.command, 3)) << "no such command";
  EXPECT_FALSE(link.write('5', w.readData, 1)) << "read-data is the drive's to fill";
  // The alarm history read of the monitor fetches word 10 through the window.
  ASSERT_TRUE(link.write('5', w.readAddress, 10));
  EXPECT_TRUE(link.write('5', w.command, protocol::kWindowFetch));
  EXPECT_GE(link.read('5', w.readData), 0);
}

INSTANTIATE_TEST_SUITE_P(DriveTypes, WindowLayouts, ::testing::Values(0, 1, 2, 3, 4));

// At power-on every stored word holds the catalogue's default converted display -> raw, so
// that the program's raw -> display of what it fetches gives the default back.
TEST(PowerOnDefaults, EveryParameterReadsBackAsItsDefault) {
  for (int type = 0; type <= 4; ++type) {
    SCOPED_TRACE(type);
    VirtualDrive drive([type] {
      SimOptions o;
      o.driveType = type;
      return o;
    }());
    const ParameterTable& table = ParameterTable::of(type);
    ASSERT_GT(table.parameters.size(), 100u);
    const DriveContext saved = driveContext();
    driveContext().reset(type);
    ParameterImages images;
    catalogue::fillDefaults(images);
    int checked = 0;
    for (const catalogue::Entry& e : catalogue::parameters(type)) {
      const auto raw = drive.storedParameter(e.code);
      if (!raw) continue;  // not transferred
      const std::int32_t def = images[e.group].def[static_cast<std::size_t>(e.slot)];
      // Aliases share a word (qn501 is Sn211): the word holds one of their defaults.
      const StoredParameter* p = table.find(e.code);
      bool alias = false;
      for (const auto& q : table.parameters) alias = alias || (q.code != e.code && q.linear == p->linear);
      const std::uint32_t mask = p->highLinear >= 0 ? 0xFFFFFFFFu : 0xFFFFu;
      const auto expected = static_cast<std::uint32_t>(conversion::toRaw(e.code, def)) & mask;
      if (!alias) {
        EXPECT_EQ(static_cast<std::uint32_t>(*raw) & mask, expected) << e.code << " default " << def;
      }
      // Pn357-Pn361 of the M7 family sit on the window's registers, which the window keeps;
      // tn01 and tn04 on the tuning firmware's mode and selector, which come up idle.
      const auto& w = protocol::windowOf(type);
      const bool onWindow = p->live.page == '5' && p->live.address >= w.command && p->live.address <= w.readData;
      const bool onFirmware = p->live == tuning::kTuneMode || p->live == tuning::kTuneSelector;
      if (!onWindow && !onFirmware) {
        EXPECT_EQ(drive.liveParameter(e.code), raw) << e.code << ": the running value mirrors the stored one";
      }
      ++checked;
    }
    driveContext() = saved;
    EXPECT_GT(checked, 100);
  }
}

TEST(PowerOnDefaults, ReadThroughTheWindowOnTheWire) {
  SimLink link;
  const ParameterTable& table = ParameterTable::of(2);
  int checked = 0;
  for (const StoredParameter& p : table.parameters) {
    if (p.highLinear >= 0) {
      const int high = link.fetch(p.highLinear);
      const int low = link.fetch(p.linear);
      ASSERT_GE(high, 0);
      ASSERT_GE(low, 0);
      EXPECT_EQ(static_cast<std::int32_t>((static_cast<std::uint32_t>(high) << 16) | static_cast<std::uint32_t>(low)),
                *link.drive.storedParameter(p.code))
          << p.code;
    } else {
      EXPECT_EQ(link.fetch(p.linear), *link.drive.storedParameter(p.code) & 0xFFFF) << p.code;
    }
    ++checked;
  }
  EXPECT_EQ(link.drive.count(RequestKind::DirectWrite), 0);
  EXPECT_GT(checked, 100);
}

TEST(AlarmHistory, TheClearingSequenceClearsItAndNothingSetsIt) {
  for (int type : {0, 2}) {
    SimOptions o;
    o.driveType = type;
    SimLink link(o);
    const ParameterTable& table = ParameterTable::of(type);
    for (std::size_t n = 0; n < table.alarms.size(); ++n)
      EXPECT_EQ(link.read(table.alarms[n].page, table.alarms[n].address), kPastAlarms[n]) << "AL" << n + 1;
    const RegisterRef first = table.alarms[1];
    EXPECT_FALSE(link.write(first.page, first.address, 7)) << "alarms come from the drive";
    for (const RegisterRef r : table.alarms) {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      EXPECT_TRUE(link.write(r.page, r.address, 0));
    }
    for (const RegisterRef r : table.alarms) EXPECT_EQ(link.read(r.page, r.address), 0);
    EXPECT_EQ(link.drive.alarms(), AlarmHistory::Codes{});
  }
}

TEST(DisplayValues, SpeedMovesTorqueFollowsAndNothingWritesThem) {
  SimLink link;
  const ParameterTable& table = ParameterTable::of(2);
  const DisplayItem* speed = table.displayItem(kUnSpeed);
  const DisplayItem* position = table.displayItem(kUnFeedbackPulses);
  ASSERT_TRUE(speed && position && position->high);
  const int first = link.read(speed->low.page, speed->low.address);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const int second = link.read(speed->low.page, speed->low.address);
  ASSERT_GE(first, 0);
  EXPECT_NE(first, second) << "the motor turns";
  const double rpm = conversion::toDisplay('U', kUnSpeed, static_cast<std::int16_t>(second));
  EXPECT_LE(std::abs(rpm), 1700) << "within the motion's swing";
  EXPECT_FALSE(link.write(speed->low.page, speed->low.address, 0));
  // A value set from outside stays put.
  link.drive.setRegister(speed->low.page, speed->low.address, 1234);
  EXPECT_EQ(link.read(speed->low.page, speed->low.address), 1234);
}

}  // namespace
}  // namespace zavo::sim::test
