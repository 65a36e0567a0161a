// Limits and defaults written into a document's images, per drive type and motor data.

#include "params/catalogue/Catalogue.h"
#include "params/document/ParameterImages.h"
#include "tests/params/CatalogueFixture.h"

namespace zavo::test {
namespace {

namespace cat = catalogue;

class LimitsTest : public CatalogueTest {
 protected:
  // Limits and default of `code` as fillLimits/fillDefaults write them for the current context.
  cat::Limits filled(const char* code) {
    ParameterImages images;
    cat::fillLimits(images);
    cat::fillDefaults(images);
    ParamGroup g{};
    int slot = 0;
    EXPECT_TRUE(cat::slotOf(code, g, slot)) << code;
    const auto n = static_cast<std::size_t>(slot);
    return {images[g].min[n], images[g].max[n], images[g].def[n]};
  }
  void expect(const char* code, std::int32_t min, std::int32_t max, std::int32_t def) {
    const auto l = filled(code);
    EXPECT_EQ(l.min, min) << code << " on type " << context().driveType;
    EXPECT_EQ(l.max, max) << code << " on type " << context().driveType;
    EXPECT_EQ(l.def, def) << code << " on type " << context().driveType;
  }
};

TEST_F(LimitsTest, FixedRowsOfTheControlGroup) {
  const struct {
    int type;
    const char* code;
    std::int32_t min, max, def;
  } cases[] = {
      {2, "Cn001", 0, 12, 2},          {2, "Cn002", 0, 4113, 0},      {2, "Cn003", -2000, 2000, 0},
      {2, "Cn006", 0, 187, 2},         {2, "Cn008", 0, 5, 2},         {0, "Cn008", 0, 5, 0},
      {1, "Cn008", 0, 1, 0},           {3, "Cn008", 0, 1, 0},         {2, "Cn010", 0, 300, 300},
      {2, "Cn011", -300, 0, -300},     {2, "Cn012", 0, 10000, 60},    {3, "Cn012", 0, 10000, 0},
      {2, "Cn014", 1, 100, 7},         {2, "Cn015", 0, 68, 68},       {2, "Cn016", 0, 399, 200},
      {2, "Cn019", 0, 0x2800000, 0},   {0, "Cn025", 0, 2000, 40},     {1, "Cn025", 0, 2000, 20},
      {4, "Cn025", 0, 2000, 10},       {2, "Cn026", 1, 21, 9},        {0, "Cn027", -250, 250, 4},
      {3, "Cn028", -250, 250, 0},      {2, "Cn031", 0, 275, 256},     {3, "Cn031", 0, 4115, 256},
      {2, "Cn032", 0, 2500, 500},      {1, "Cn032", 1, 1000, 500},    {4, "Cn033", 0, 1000, 500},
      {0, "Cn033", 1, 100, 40},        {3, "Cn034", 0, 5000, 0},      {1, "Cn034", 0, 1000, 0},
      {2, "Cn036", 0, 254, 1},         {0, "Cn037", 0, 309, 257},     {2, "Cn037", 0, 261, 257},
      {2, "Cn038", 0, 10, 6},          {2, "Cn043", 1, 1000, 100},    {2, "Cn057", -300, 0, -300},
      {2, "Cn085", 0, 0x20000, 0},     {2, "Cn095", 128, 256, 128},   {2, "Cn098", 1000, 10000, 1000},
      {2, "Cn045", 0, 0, 0},           {2, "Cn093", 0, 0, 0},
      // Defaults not named otherwise are 0, or the nearest limit where 0 lies outside.
      {2, "Cn065", 1, 1000, 1},        {2, "Cn067", 1, 100, 1},       {2, "Cn068", 1, 1000, 1},
      {2, "Cn070", 1, 100, 1},         {4, "Cn071", 1, 1000, 1},      {2, "Cn086", 0, 300, 0},
  };
  for (const auto& c : cases) {
    useType(c.type);
    expect(c.code, c.min, c.max, c.def);
  }
}

TEST_F(LimitsTest, DefaultsOutsideTheirLimitsAreBroughtInside) {
  useType(0);
  expect("Cn031", 0, 19, 19);  // 256 does not fit the PDXR's encoder codes
  useType(1);
  expect("Cn031", 1, 3, 3);
  expect("Cn037", 0, 53, 53);
}

TEST_F(LimitsTest, EncoderOutputFollowsTypeAndEncoder) {
  const struct {
    int type;
    int pulses;
    int model;
    std::int32_t max, def;
  } cases[] = {
      {2, 2500, 0x1121, 32768, 2500},     {2, 10000, 0x1121, 16384, 10000},  {4, 32768, 0x1121, 16384, 16384},
      {2, 8388608, 0x1121, 2097152, 2097152}, {2, 2500, 0x1125, 32768, 8192}, {2, 2500, 0x1127, 32768, 32768},
      {3, 2500, 0x1121, 8192, 2500},      {0, 2500, 0x121, 8192, 2500},      {1, 2500, 0x121, 63, 63},
  };
  for (const auto& c : cases) {
    useType(c.type);
    context().encoderPulses = c.pulses;
    context().modelCode = c.model;
    expect("Cn005", 16, c.max, c.def);
  }
}

TEST_F(LimitsTest, SpeedLimitsFollowTheMotorData) {
  useType(2);
  expect("Cn007", 0, 12000, 1000);
  expect("Cn017", 0, 12000, 0);
  expect("Sn201", -12000, 12000, 100);
  context().ratedSpeed = 2000;
  expect("Cn007", 0, 8000, 667);  // (2000 + 2) / 3
  expect("Tn105", 0, 8000, 100);
  context().linearMotor = true;
  expect("Cn022", 0, 3000, 0);
  context().linearMotor = false;
  context().gearScale = 300;  // half speed, but only while linked
  expect("Cn007", 0, 8000, 667);
  context().linkOpen = true;
  expect("Cn007", 0, 4000, 333);
  expect("Sn202", -4000, 4000, 200);
}

TEST_F(LimitsTest, LegacySpeedLimitsStayWithinTheDriveWord) {
  useType(2);
  context().legacySeries = true;  // 16384 units per rated speed: 4 x 3000 rpm needs 17 bits
  expect("Cn007", 0, 11999, 1000);
  expect("Sn201", -5999, 5999, 100);
  context().legacySeries = false;
  expect("Cn022", 0, 12000, 0);
}

TEST_F(LimitsTest, ModelCodeAndVoltageDefaults) {
  useType(2);
  context().modelCode = 0x112A;
  expect("Cn030", 0, 11258, 0x112A);
  expect("Cn031", 0, 275, 0);
  context().modelCode = 0x1125;
  expect("Cn031", 0, 275, 0);
  context().modelCode = 0x1121;
  expect("Cn031", 0, 275, 256);
  expect("Cn051", 170, 190, 190);
  context().highVoltage = true;
  expect("Cn051", 340, 380, 380);
}

TEST_F(LimitsTest, TuningCamAndExtendedRows) {
  const struct {
    const char* code;
    std::int32_t min, max, def;
  } cases[] = {
      {"tn01", 1, 3, 1},         {"tn02", -16385, 16384, 0}, {"tn03", -16385, 16385, 0}, {"tn06", 0, 8192, 0},
      {"tn08", 30, 1000, 100},   {"tn10", 200, 1000, 333},   {"tn12", 200, 1000, 1000},  {"tn18", 0, 2, 0},
      {"tn21", 400, 4000, 2000}, {"ECA01", 0, 2, 0},         {"ECA04", 1, 4, 1},         {"ECA05", 1, 120, 30},
      {"ECA06", -9000, 9000, 0}, {"ECA07", 1, 8388608, 2500}, {"ECA13", 0, 1000, 0},     {"ECA17", 1, 50000, 10000},
      {"ECA19", 1, 200, 3},      {"ECA22", 0, 1, 0},         {"OnA01", 0, 1, 0},         {"OnA31", 0, 5, 0},
      {"OnA02", -4146, 4146, 0}, {"OnS01", 0, 65535, 175},   {"OnC29", 0, 65535, 33161}, {"OnC11", 0, 65535, 2500},
  };
  for (const auto& c : cases) expect(c.code, c.min, c.max, c.def);
}

TEST_F(LimitsTest, InternalPositionTableByFamily) {
  useType(2);
  context().ratedSpeed = 3000;
  expect("Pn401", -16000, 16000, 0);
  expect("Pn402", -8388608, 8388608, 0);
  expect("Pn403", 0, 6000, 0);  // twice the rated speed
  context().ratedSpeed = 5000;
  expect("Pn496", 0, 10000, 0);
  useType(0);
  expect("Pn317", -30000, 30000, 0);
  expect("Pn318", -32767, 32767, 0);
  expect("Pn319", 0, 3000, 0);
}

TEST_F(LimitsTest, SlotsWithoutParametersAreZero) {
  useType(2);
  ParameterImages images;
  images[ParamGroup::Tn].max[20] = 99;
  images[ParamGroup::Pn4].def[100] = 99;
  cat::fillLimits(images);
  cat::fillDefaults(images);
  EXPECT_EQ(images[ParamGroup::Tn].max[20], 0);
  EXPECT_EQ(images[ParamGroup::Pn4].def[100], 0);
  EXPECT_EQ(images[ParamGroup::Pn3].max[75], 0);
}

TEST_F(LimitsTest, LimitsOfAnswersForItemsWithoutSlots) {
  cat::Limits l;
  ASSERT_TRUE(cat::limitsOf("OnE11", l));
  EXPECT_EQ(l.min, 0);
  EXPECT_EQ(l.max, 300);
  EXPECT_FALSE(cat::limitsOf("Zz001", l));
  EXPECT_EQ(l.max, 0);
}

}  // namespace
}  // namespace zavo::test
