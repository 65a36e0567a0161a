// The tuning core's conversions and its transfers against the virtual drive: the motor data's
// decimal texts, the adjustment's results as shown and as written back, and stored writes of
// the tuning parameters' page.

#include <gtest/gtest.h>

#include "link/LinkState.h"
#include "tests/link/DriveFixture.h"
#include "tuning/AutoGain.h"
#include "tuning/LinearMotor.h"
#include "tuning/OnlineGain.h"
#include "tuning/RegisterAccess.h"

namespace zavo::tuning {
namespace {

TEST(ParseScaledDecimalTest, MovesThePointByTheDecimalsAndKeepsExtraDigits) {
  struct Case {
    const char* text;
    int decimals;
    std::int64_t value;
  };
  for (const Case c : {Case{"1.5", 3, 1500}, Case{"2", 3, 2000}, Case{"1.2345", 3, 12345}, Case{"000001.50", 3, 1500},
                       Case{"030.00", 1, 3000}, Case{".5", 2, 50}, Case{"7", 0, 7}})
    EXPECT_EQ(ParseScaledDecimal(c.text, c.decimals), c.value) << c.text;
  for (const char* bad : {"", ".", "1.2.3", "-1", "1e3", "99999999999999999999"}) EXPECT_FALSE(ParseScaledDecimal(bad, 3)) << bad;
}

TEST(MotorDataTest, AFieldLeftAsShownWritesTheValueItShowed) {
  struct Case {
    const char* code;
    std::int32_t value;  // as the drive holds it
    const char* text;    // the masked edit
    const char* shown;
  };
  const Case cases[] = {
      {"OnE05", 1500, "000001.50", "  1.50"},
      {"OnE06", 2000000, "00200", "2.00"},  // 10 mΩ in the edit; back × 10000, not × 1000000
      {"OnE11", 4096, "100", "100"},        // 4096 per 100 %
      {"OnE14", 300, "030.00", "30.00"},
      {"OnE15", 100, "001.00", "1.00"},
  };
  for (const Case& c : cases) {
    const MotorDatum* d = findDatum(c.code);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(datumText(*d, c.value), c.text) << c.code;
    EXPECT_EQ(datumShown(*d, c.value), c.shown) << c.code;
    EXPECT_EQ(datumValue(*d, c.text), c.value) << c.code;
  }
}

TEST(MotorDataTest, TypedTextsTakeNoMoreDecimalsThanTheField) {
  struct Case {
    const char* code;
    const char* typed;
    const char* text;  // "" refused
  };
  for (const Case c : {Case{"OnE05", "1.5", "1.50"}, Case{"OnE05", "2", "2.00"}, Case{"OnE05", "1.2345", ""},
                       Case{"OnE06", "200", "200"}, Case{"OnE06", "2.5", ""}, Case{"OnE11", "120", "120"},
                       Case{"OnE14", "30", "30.00"}, Case{"OnE15", "1.255", ""}}) {
    const auto t = typedText(*findDatum(c.code), c.typed);
    EXPECT_EQ(t.value_or(""), c.text) << c.code << " " << c.typed;
  }
  // The thrust limit's ranges are in percent: 400 % passes Write and fails OK.
  const MotorDatum& thrust = *findDatum("OnE11");
  const auto word = *datumValue(thrust, "400");
  EXPECT_TRUE(thrust.within(thrust.write, word));
  EXPECT_FALSE(thrust.within(thrust.ok, word));
}

TEST(AutoGainTest, StartDialogShowsTheResultsInItsScale) {
  LoopGainResults r;
  r.ratio = 30;
  r.currentGain = 12288;
  r.currentPeriod = 5;
  r.currentIntegral = 230;
  const ShownResults s = shownResults(r);
  EXPECT_DOUBLE_EQ(s.ratio, 3.0);
  EXPECT_DOUBLE_EQ(s.currentGain, 0.75);
  EXPECT_EQ(s.currentKi, 5 * 131072 / 230);
  r.currentIntegral = 0;
  EXPECT_EQ(shownResults(r).currentKi, 0) << "no division by C9D = 0";
  EXPECT_EQ(profileRange(kItemSpeed, 3000).text(), "0~3000");
  EXPECT_EQ(profileRange(kItemAcceleration, 3000).text(), "2000~90000");
  EXPECT_EQ(loopGainRange(3).text(), "1~100");
}

TEST(OnlineGainTest, EachDigitOfTheLearningRatesIsSetAlone) {
  EXPECT_EQ(withLearningDigit(0x4321, 1, 0xA), 0x43A1);
  EXPECT_EQ(withLearningDigit(0x4321, 2, 0), 0x4021);
  EXPECT_EQ(withLearningDigit(0x4321, 3, 0xF), 0xF321);
  for (int d = 1; d <= 3; ++d) EXPECT_EQ(learningDigit(0x4321, d), 1 + d);
}

class TuningTransfer : public ::testing::Test {
 protected:
  void SetUp() override {
    f.link();
    f.ops.setPauseMs(0);
  }
  test::DriveFixture f;
};

TEST_F(TuningTransfer, ChosenResultsAreCheckedInTheShownScaleAndWrittenAsRead) {
  LoopGainResults r{300, 65535, 5, 230, 80, 90, 50};
  EXPECT_TRUE(writeChosenResults(f.ops, r, {true, true, true, true, true, true}));
  EXPECT_EQ(f.drive.readRegister('C', 0x9C), 65535) << "C9C is 4.0 as shown: in range, and written undivided";
  EXPECT_EQ(f.drive.storedParameter("Sn211"), 80);
  EXPECT_EQ(f.drive.readRegister('B', 0x55), 0);

  f.drive.clearLog();
  r.ratio = 1001;
  EXPECT_FALSE(writeChosenResults(f.ops, r, {true, true, false, false, false, false}));
  EXPECT_EQ(f.prompt.texts().back(), "Cn025 over range!");
  EXPECT_EQ(f.drive.count(sim::RequestKind::DirectWrite), 0);
  r.ratio = 30;
  r.currentIntegral = 1001;
  EXPECT_FALSE(writeChosenResults(f.ops, r, {false, false, true, false, false, false}));
  EXPECT_EQ(f.prompt.texts().back(), "m_nC9D over range!");
}

TEST_F(TuningTransfer, StoredWritesOfTheTuningPageStayInTheirOwnWord) {
  // tn08 lives at B5C, linear 0x25C; page '5' 0x5C is Pn313, which it must not touch.
  const std::int32_t pn313 = *f.drive.storedParameter("Pn313");
  ASSERT_TRUE(writeStored(f.ops, tuningRegister(8), 150));
  EXPECT_EQ(f.drive.storedWord(0x25C), 150);
  EXPECT_EQ(f.drive.readRegister('B', 0x5C), 150);
  EXPECT_EQ(f.drive.storedParameter("Pn313"), pn313);
  EXPECT_EQ(f.drive.liveParameter("Pn313"), pn313);
}

}  // namespace
}  // namespace zavo::tuning
