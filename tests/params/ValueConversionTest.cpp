// Raw drive words <-> display values, both directions, with and without the legacy series.

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ValueConversion.h"
#include "params/document/ParameterImages.h"
#include "tests/params/CatalogueFixture.h"

namespace zavo::test {
namespace {

namespace conv = conversion;

class ValueConversionTest : public CatalogueTest {};

struct Case {
  char letter;
  int item;
  int id;
  bool legacy;
  int type;
  std::int32_t in;
  std::int32_t out;
};

TEST_F(ValueConversionTest, RawToDisplay) {
  const Case cases[] = {
      // Control group
      {'C', 3, 0, false, 2, 25, 3},         {'C', 3, 0, false, 2, -25, -3},       {'C', 3, 0, false, 2, 0xFF9C, -10},
      {'C', 4, 0, false, 2, 0, 2},          {'C', 4, 0, false, 2, 1, 0},          {'C', 4, 0, false, 2, 256, 3},
      {'C', 4, 0, false, 2, 257, 1},        {'C', 4, 0, false, 2, 7, 7},          {'C', 5, 0, false, 2, 100000, 100000},
      {'C', 19, 0, false, 2, 0x2800000, 0x2800000},                               {'C', 7, 0, false, 2, 4096, 3000},
      {'C', 7, 0, true, 2, 16384, 3000},    {'C', 7, 0, false, 2, 0x10000 + 4096, 3000},
      {'C', 10, 0, false, 2, 12288, 300},   {'C', 11, 0, false, 2, 0xD000, -300}, {'C', 16, 0, false, 2, 2, 0},
      {'C', 21, 0, false, 2, 1, 0},         {'C', 57, 0, false, 2, -12288, -300}, {'C', 27, 0, false, 2, 6, -250},
      {'C', 51, 0, false, 2, 1556, 190},    {'C', 1, 0, false, 2, -1, 0xFFFF},    {'C', 41, 0, false, 2, -1, -1},
      // Torque group
      {'T', 1, 0, false, 2, -1, 0xFFFF},    {'T', 3, 0, false, 2, 4096, 1050},    {'T', 4, 0, false, 2, 8188, 10000},
      {'T', 5, 0, false, 2, 2048, 1500},    {'T', 8, 0, false, 2, 4096, 100},
      {'T', 9, 0, true, 2, 65536, 63000},   {'T', 9, 0, false, 2, 262144, 63000},
      // Speed group
      {'S', 1, 0, false, 2, -4096, -3000},  {'S', 1, 0, false, 2, 0xF000, -3000}, {'S', 2, 0, true, 2, 0xC000, -3000},
      {'S', 11, 0, false, 2, -1, 0xFFFF},   {'S', 16, 0, true, 2, 67108864, 64512000},
      {'S', 16, 0, false, 2, 268435456, 64512000},                                 {'S', 17, 0, false, 2, 8188, 10000},
      {'S', 18, 0, false, 2, 40960, 30000},
      // Position groups: Pn4 is told apart by its id
      {'P', 1, 301, false, 2, -1, 0xFFFF},  {'P', 19, 319, false, 2, -1, -1},    {'P', 19, 319, false, 0, -1, 0xFFFF},
      {'P', 19, 319, false, 4, -1, 0xFFFF}, {'P', 31, 331, false, 2, -1, -1},    {'P', 28, 328, false, 3, -1, 0xFFFF},
      // A 32-bit item keeps its high word whatever the group's word rule says (Pn325, Pn331 on
      // the extended M7-R); a parameter that can be negative keeps its sign (older table items).
      {'P', 25, 325, false, 4, 0x12345, 0x12345}, {'P', 31, 331, false, 3, 0x12345, 0x12345},
      {'P', 45, 345, false, 0, 0xFFFF, -1},  {'P', 45, 345, false, 2, 0xFFFF, 0xFFFF},
      {'P', 3, 403, false, 2, -1, 0xFFFF},  {'P', 2, 402, false, 2, -1, -1},     {'P', 1, 401, false, 2, 0xC180, -16000},
      // Setup groups
      {'q', 1, 0, false, 2, -1, 0xFFFF},    {'H', 1, 0, false, 2, -1, 0xFFFF},    {'E', 2, 0, false, 2, -1, 0xFFFF},
      {'E', 6, 0, false, 2, 0xDCD8, -9000}, {'E', 7, 0, false, 2, 2500, 2500},
      // Monitor, diagnostics, alarms
      {'U', 1, 0, false, 2, -2048, -1500},  {'U', 2, 0, false, 2, 2048, 50},      {'U', 3, 0, false, 2, -1999, -1},
      {'U', 6, 0, true, 2, 1073741824, 3000},                                     {'U', 6, 0, false, 2, 268435456, 3000},
      {'U', 9, 0, false, 2, 8192, 1000},    {'U', 10, 0, false, 2, 4095, 500},    {'U', 10, 0, false, 0, 1024, 502},
      {'U', 11, 0, false, 2, 16384, 3000},  {'U', 25, 0, false, 2, 123456, 23456}, {'U', 25, 0, false, 0, 123456, 123456},
      {'U', 26, 0, false, 2, 99999, 0},     {'U', 26, 0, false, 3, 250000, 2},    {'U', 26, 0, false, 4, 250000, 250000},
      {'d', 1, 0, false, 2, -1, 0xFFFF},    {'d', 5, 0, false, 2, -1, -1},        {'A', 10, 0, false, 2, -1, 0xFFFF},
      // Extended registers and the linear-motor items, which travel in drive units
      {'O', 6, 0, false, 2, 16384, 3000},   {'O', 7, 0, false, 2, 16384, 30000000}, {'O', 2, 0, false, 2, -1, 0xFFFF},
      {'O', 6, 2006, false, 2, 16384, 16384}, {'O', 7, 2007, false, 2, 5, 5},
      // Write-only groups and unknown letters pass through
      {'G', 1, 0, false, 2, 1234, 1234},    {'t', 2, 0, false, 2, -5, -5},        {'Z', 1, 0, false, 2, 77, 77},
  };
  for (const auto& c : cases) {
    useType(c.type);
    context().legacySeries = c.legacy;
    EXPECT_EQ(conv::toDisplay(c.letter, c.item, c.in, c.id), c.out)
        << c.letter << c.item << " id " << c.id << (c.legacy ? " legacy" : "") << " type " << c.type << " raw " << c.in;
  }
}

TEST_F(ValueConversionTest, DisplayToRaw) {
  const Case cases[] = {
      {'C', 3, 0, false, 2, -200, -2000},   {'C', 4, 0, false, 2, 0, 1},          {'C', 4, 0, false, 2, 1, 257},
      {'C', 4, 0, false, 2, 2, 0},          {'C', 4, 0, false, 2, 3, 256},        {'C', 4, 0, false, 2, 9, 9},
      {'C', 7, 0, false, 2, 1000, 1365},    {'C', 7, 0, true, 2, 1000, 5461},     {'C', 10, 0, false, 2, 300, 12288},
      {'C', 11, 0, false, 2, -300, -12288}, {'C', 16, 0, false, 2, 1, 41},        {'C', 27, 0, false, 2, -250, 6},
      {'C', 51, 0, false, 2, 190, 1556},    {'C', 2, 0, false, 2, 0x1011, 0x1011},
      {'S', 1, 0, false, 2, -3000, -4096},  {'S', 15, 0, true, 2, 3000, 16384},   {'S', 16, 0, true, 2, 3000, 3121},
      {'S', 16, 0, false, 2, 3000, 12483},    {'S', 17, 0, false, 2, 10000, 8188},  {'S', 11, 0, false, 2, 40, 40},
      {'T', 3, 0, false, 2, 1050, 4096},    {'T', 4, 0, false, 2, 10000, 8188},   {'T', 6, 0, false, 2, 3000, 4096},
      {'T', 8, 0, false, 2, 100, 4096},     {'T', 9, 0, true, 2, 63000, 65536},   {'T', 9, 0, false, 2, 63000, 262144},
      {'O', 6, 0, false, 2, 3000, 16384},   {'O', 7, 0, false, 2, 30000000, 16384}, {'O', 6, 2006, false, 2, 123, 123},
      {'G', 2, 0, false, 2, 3000, 4096},    {'G', 4, 0, false, 2, 100, 4096},     {'G', 5, 0, false, 2, 100, 100},
      {'M', 1, 0, false, 2, 3000, 16384},   {'M', 10, 0, false, 2, 50, 2048},     {'M', 2, 0, false, 2, 50, 50},
      {'U', 25, 0, false, 2, 23456, 23456}, {'P', 3, 403, false, 2, 3000, 3000},
  };
  for (const auto& c : cases) {
    useType(c.type);
    context().legacySeries = c.legacy;
    EXPECT_EQ(conv::toRaw(c.letter, c.item, c.in, c.id), c.out)
        << c.letter << c.item << " id " << c.id << (c.legacy ? " legacy" : "") << " display " << c.in;
  }
}

TEST_F(ValueConversionTest, RoundsHalfAwayFromZero) {
  EXPECT_EQ(conv::scaled(5, 1, 10), 1);
  EXPECT_EQ(conv::scaled(-5, 1, 10), -1);
  EXPECT_EQ(conv::scaled(4, 1, 10), 0);
  EXPECT_EQ(conv::scaled(-15, 1, 10), -2);
  EXPECT_EQ(conv::scaled(3, 1, 2), 2);
  EXPECT_EQ(conv::scaled(-3, 1, 2), -2);
  EXPECT_EQ(conv::scaled(INT32_MAX, 4096, 1), INT32_MAX);  // held to the 32-bit range
  EXPECT_EQ(conv::scaled(INT32_MIN, 4096, 1), INT32_MIN);
  // Speed: 2048 x 3000 / 4096 is exactly 1500; 1 x 3000 / 4096 = 0.73 rounds to 1.
  EXPECT_EQ(conv::speedToDisplay(1), 1);
  EXPECT_EQ(conv::speedToDisplay(-1), -1);
}

TEST_F(ValueConversionTest, ByCodeUsesTheParameterIdentity) {
  useType(2);
  EXPECT_EQ(conv::toDisplay("Pn403", -1), 0xFFFF);  // move speed: unsigned word
  EXPECT_EQ(conv::toDisplay("Pn303", -1), -1);      // a gear numerator is not
  EXPECT_EQ(conv::toDisplay("Sn201", 0xFFF6), -7);
  EXPECT_EQ(conv::toRaw("Cn004", 1), 257);
  EXPECT_EQ(conv::toDisplay("OnE06", 16384), 16384);
  EXPECT_EQ(conv::toDisplay("nonsense", 42), 42);
}

TEST_F(ValueConversionTest, AMissingRatedSpeedScalesAndLimitsAsTheDefaultMotor) {
  ParameterImages asDefault, asMissing;
  catalogue::fillLimits(asDefault);
  catalogue::fillDefaults(asDefault);
  context().ratedSpeed = 0;
  EXPECT_EQ(conv::speedToRaw(3000), 4096);
  EXPECT_EQ(conv::toRaw('T', 9, 63000, 0), 262144);
  catalogue::fillLimits(asMissing);
  catalogue::fillDefaults(asMissing);
  for (const char* code : {"Cn007", "Cn017", "Sn201", "Sn203"}) {
    ParamGroup g{};
    int slot = 0;
    ASSERT_TRUE(catalogue::slotOf(code, g, slot));
    const auto n = static_cast<std::size_t>(slot);
    EXPECT_GT(asMissing[g].max[n], 0) << code;
    EXPECT_EQ(asMissing[g].max[n], asDefault[g].max[n]) << code;
    EXPECT_EQ(asMissing[g].def[n], asDefault[g].def[n]) << code;
  }
}

// The speed-limit words: every value of the range, on the rated speeds of the motor table and
// both series, comes back from the drive's 16-bit word as it was written.
TEST_F(ValueConversionTest, SpeedLimitWordsKeepEveryValueInRange) {
  for (const char* code : {"Sn216", "Tn109"})
    for (int speed : {1000, 1500, 2000, 3000})
      for (bool legacy : {false, true}) {
        context().ratedSpeed = speed;
        context().legacySeries = legacy;
        catalogue::Limits limits;
        ASSERT_TRUE(catalogue::limitsOf(code, limits));
        int lost = 0;
        for (std::int32_t v = limits.min; v <= limits.max; ++v) {
          const std::int32_t raw = conv::toRaw(code, v);
          if (raw < 0 || raw > 0xFFFF || conv::toDisplay(code, raw) != v) ++lost;
        }
        EXPECT_EQ(lost, 0) << code << " at " << speed << " rpm" << (legacy ? " legacy" : "");
      }
}

std::int32_t doubled(int channel, std::int32_t raw) { return channel * 1000 + raw * 2; }

TEST_F(ValueConversionTest, TraceChannelsUseTheInstalledRule) {
  EXPECT_EQ(conv::toDisplay('R', 3, 21), 21);
  conv::setTraceRule(&doubled);
  EXPECT_EQ(conv::toDisplay('R', 3, 21), 3042);
  conv::setTraceRule(nullptr);
  EXPECT_EQ(conv::toDisplay('R', 3, 21), 21);
}

}  // namespace
}  // namespace zavo::test
