// Parameter ids from codes and back, and the strict key parse behind every lookup.

#include <string>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ParameterCode.h"
#include "tests/params/CatalogueFixture.h"

namespace zavo::test {
namespace {

namespace cat = catalogue;

class ParameterCodeTest : public CatalogueTest {};

TEST_F(ParameterCodeTest, IdOfFollowsTheLetterAndTheLastDigits) {
  const struct {
    const char* code;
    int id;
  } cases[] = {
      {"Cn001", 1},      {"Cn030", 30},     {"Cn098", 98},     {"Tn101", 101},    {"Tn112", 112},
      {"Sn217", 217},    {"Pn301", 301},    {"Pn371", 371},    {"Pn401", 401},    {"Pn496", 496},
      {"qn501", 501},    {"qn401", 501},    {"Hn601", 601},    {"Hn519", 619},    {"ECA01", 1301},
      {"ECA22", 1322},   {"OnT01", 1501},   {"OnS05", 1605},   {"Ond11", 1711},   {"OnC70", 1870},
      {"OnA41", 1941},   {"OnE05", 2005},   {"AL-01", 1201},   {"Un-06", 1006},   {"dn-07", 1107},
      // Too short: the four-character monitor names and the read-only notice code have no id.
      {"Un01", -1},      {"dn01", -1},      {"En15", -1},      {"", -1},          {"Cn1", -1},
      // An unknown letter or non-digits: no parameter.
      {"Xn001", 0},      {"Cn0ab", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(cat::idOf(c.code), c.id) << c.code;
}

TEST_F(ParameterCodeTest, CodeOfSpellsEachFamilyForItsDriveType) {
  const struct {
    int id;
    int type;
    const char* code;
  } cases[] = {
      {1, 2, "Cn001"},    {98, 0, "Cn098"},   {101, 1, "Tn101"},  {225, 3, "Sn225"},  {301, 4, "Pn301"},
      {401, 2, "Pn401"},  {496, 2, "Pn496"},  {501, 2, "qn501"},  {507, 4, "qn507"},  {501, 0, "qn401"},
      {507, 1, "qn407"},  {601, 3, "Hn601"},  {619, 0, "Hn519"},  {611, 1, "Hn511"},  {1006, 2, "Un06"},
      {1112, 2, "dn12"},  {1210, 2, "AL10"},  {1305, 2, "ECA05"}, {1508, 4, "OnT08"}, {1605, 4, "OnS05"},
      {1711, 4, "Ond11"}, {1870, 4, "OnC70"}, {1941, 4, "OnA41"}, {2016, 2, "OnE16"},
      // Hundreds digits without a group.
      {1400, 2, ""},      {2100, 2, ""},      {-5, 2, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(cat::codeOf(c.id, c.type), c.code) << c.id << " on type " << c.type;
}

TEST_F(ParameterCodeTest, CodeOfUsesTheCurrentDriveType) {
  useType(0);
  EXPECT_EQ(cat::codeOf(605), "Hn505");
  useType(3);
  EXPECT_EQ(cat::codeOf(605), "Hn605");
}

TEST_F(ParameterCodeTest, EveryListedCodeRoundTripsThroughItsId) {
  for (int type = 0; type < cat::kDriveTypeCount; ++type)
    for (const auto& e : cat::parameters(type)) {
      if (e.group == ParamGroup::tn) continue;  // tn has no id
      EXPECT_EQ(cat::idOf(e.code), e.id) << e.code;
      EXPECT_EQ(cat::codeOf(e.id, type), e.code) << e.id << " on type " << type;
    }
}

TEST_F(ParameterCodeTest, StrictParseRejectsWhatNoGroupHolds) {
  for (const char* bad : {"Cn1001", "Tn201", "Sn101", "Pn501", "qn601", "Hn701", "ECA1", "OnX01", "tn001", "Un001",
                          "cn001", " Cn001", "Cn001 "})
    EXPECT_FALSE(cat::parseCode(bad).has_value()) << bad;
  const auto pn4 = cat::parseCode("Pn437");
  ASSERT_TRUE(pn4.has_value());
  EXPECT_EQ(pn4->family, cat::Family::Pn4);
  EXPECT_EQ(pn4->number, 37);
}

TEST_F(ParameterCodeTest, GroupLetterIsTheFirstCharacter) {
  EXPECT_EQ(cat::groupLetter("Pn401"), 'P');
  EXPECT_EQ(cat::groupLetter("dn01"), 'd');
  EXPECT_EQ(cat::groupLetter(""), '\0');
}

TEST_F(ParameterCodeTest, SlotOfPlacesCodesInTheirDocumentGroup) {
  const struct {
    const char* code;
    ParamGroup group;
    int slot;
  } cases[] = {{"Cn098", ParamGroup::Cn, 98}, {"Pn371", ParamGroup::Pn3, 71}, {"Pn496", ParamGroup::Pn4, 96},
               {"qn401", ParamGroup::qn, 1},  {"Hn519", ParamGroup::Hn, 19},  {"tn21", ParamGroup::tn, 21},
               {"ECA22", ParamGroup::ECA, 22}, {"OnC70", ParamGroup::OnC, 70}, {"OnA41", ParamGroup::OnA, 41}};
  for (const auto& c : cases) {
    ParamGroup g{};
    int slot = 0;
    ASSERT_TRUE(cat::slotOf(c.code, g, slot)) << c.code;
    EXPECT_EQ(g, c.group) << c.code;
    EXPECT_EQ(slot, c.slot) << c.code;
  }
  ParamGroup g{};
  int slot = 0;
  EXPECT_FALSE(cat::slotOf("Un06", g, slot));    // monitor items live outside the images
  EXPECT_FALSE(cat::slotOf("OnE05", g, slot));
  EXPECT_FALSE(cat::slotOf("Tn121", g, slot));   // beyond the group's 20 slots
}

}  // namespace
}  // namespace zavo::test
