// The Add/Remove lists: which parameters are offered for each drive type, the custom list's
// buttons, and the (group code, number) pairs the list is kept as.

#include <gtest/gtest.h>

#include <algorithm>

#include "params/listing/AddRemoveList.h"
#include "params/catalogue/Catalogue.h"
#include "params/listing/CustomEntryCode.h"
#include "tests/params/CatalogueFixture.h"

namespace zavo::test {
namespace {

using AddRemoveListTest = CatalogueTest;

bool contains(const std::vector<std::string>& codes, std::string_view code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

TEST_F(AddRemoveListTest, CodesAndEntriesConvertBothWays) {
  struct Case {
    const char* code;
    CustomEntry entry;
    int driveType;
  };
  const Case cases[] = {
      {"Cn001", {1, 1}, 2},  {"Cn098", {1, 98}, 2}, {"Tn112", {2, 12}, 2}, {"Sn225", {3, 25}, 2},
      {"Pn301", {4, 1}, 2},  {"Pn371", {4, 71}, 2}, {"qn507", {5, 7}, 2},  {"Hn619", {6, 19}, 2},
      {"Pn496", {8, 96}, 2}, {"ECA22", {9, 22}, 2}, {"OnT01", {10, 1}, 2}, {"OnS05", {11, 5}, 2},
      {"Ond11", {12, 11}, 2}, {"OnC70", {13, 70}, 2}, {"OnA41", {14, 41}, 2}, {"OnE05", {7, 5}, 2},
      // The older families spell the quick and contact groups qn4nn and Hn5nn.
      {"qn401", {5, 1}, 0},  {"Hn513", {6, 13}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(customEntryOf(c.code), c.entry) << c.code;
    EXPECT_EQ(codeOfCustomEntry(c.entry, c.driveType).value_or("-"), c.code) << c.code;
  }
  EXPECT_EQ(customEntryOf("tn05").group, customgroup::kOther);
  EXPECT_EQ(customEntryOf("Un06").group, customgroup::kOther);
  for (CustomEntry bad : {CustomEntry{0, 1}, CustomEntry{15, 1}, CustomEntry{-1, 1}, CustomEntry{1, 100}, CustomEntry{1, -3}})
    EXPECT_FALSE(codeOfCustomEntry(bad, 2)) << bad.group << "/" << bad.number;
}

TEST_F(AddRemoveListTest, EveryDriveTypeOffersItsExistingParametersInGroupOrder) {
  for (int type = 0; type < catalogue::kDriveTypeCount; ++type) {
    useType(type);
    const std::vector<std::string> codes = customListCandidates(type);
    ASSERT_FALSE(codes.empty()) << type;
    // Group order Cn, Tn, Sn, Pn3, Pn4, qn, Hn, ECA, by number within a group.
    auto rank = [&](const std::string& code) {
      const CustomEntry e = customEntryOf(code);
      static const int kRankOfGroup[] = {-1, 0, 1, 2, 3, 5, 6, -1, 4, 7};
      return kRankOfGroup[e.group] * 100 + e.number;
    };
    for (std::size_t i = 1; i < codes.size(); ++i)
      EXPECT_LT(rank(codes[i - 1]), rank(codes[i])) << type << ": " << codes[i - 1] << " before " << codes[i];
    for (const std::string& code : codes) {
      EXPECT_TRUE(catalogue::exists(code, type)) << type << " " << code;
      const int group = customEntryOf(code).group;
      EXPECT_TRUE(group >= 1 && group <= 9 && group != 7) << code;
    }
    // Nothing that exists in the offered groups is missing.
    for (const catalogue::Entry& e : catalogue::parameters(type)) {
      const int group = customEntryOf(e.code).group;
      if (group >= 1 && group <= 9 && group != 7) {
        EXPECT_TRUE(contains(codes, e.code)) << type << " " << e.code;
      }
    }
    EXPECT_EQ(contains(codes, "Pn401"), type >= 2) << type;
  }
}

TEST_F(AddRemoveListTest, DriveType3OmitsParametersItLacks) {
  useType(3);
  const auto codes = customListCandidates(3);
  EXPECT_FALSE(contains(codes, "Cn094"));
  EXPECT_TRUE(contains(codes, "Cn001"));
  useType(2);
  EXPECT_TRUE(contains(customListCandidates(2), "Cn094"));
}

TEST_F(AddRemoveListTest, LinesAreCodeAndTitle) {
  EXPECT_EQ(customListLine("qn501"), "qn501  Speed Loop Gain 1");
  EXPECT_EQ(codeOfCustomListLine("qn501  Speed Loop Gain 1"), "qn501");
  AddRemoveList list(2, {});
  EXPECT_EQ(list.allLines().front().rfind("Cn001  ", 0), 0u);
}

std::vector<std::string> customCodes(const AddRemoveList& list) {
  std::vector<std::string> codes;
  for (const auto& l : list.customLines()) codes.emplace_back(codeOfCustomListLine(l));
  return codes;
}

TEST_F(AddRemoveListTest, ButtonsOnTheCustomList) {
  AddRemoveList list(2, {{1, 3}, {2, 1}, {9, 5}});
  EXPECT_EQ(customCodes(list), (std::vector<std::string>{"Cn003", "Tn101", "ECA05"}));

  struct Step {
    const char* what;
    std::function<int(AddRemoveList&)> press;
    int selected;
    std::vector<std::string> after;
  };
  const Step steps[] = {
      {"Up on the first line does nothing", [](AddRemoveList& l) { return l.up(0); }, 0, {"Cn003", "Tn101", "ECA05"}},
      {"Down on the last line keeps the order", [](AddRemoveList& l) { return l.down(2); }, 2, {"Cn003", "Tn101", "ECA05"}},
      {"Up moves by one", [](AddRemoveList& l) { return l.up(2); }, 1, {"Cn003", "ECA05", "Tn101"}},
      {"Down moves by one", [](AddRemoveList& l) { return l.down(0); }, 1, {"ECA05", "Cn003", "Tn101"}},
      {"Add appends", [](AddRemoveList& l) { return l.add(0); }, 3, {"ECA05", "Cn003", "Tn101", "Cn001"}},
      {"Add of a listed line selects it", [](AddRemoveList& l) { return l.add(2); }, 1, {"ECA05", "Cn003", "Tn101", "Cn001"}},
      {"Remove of the last line selects the new last", [](AddRemoveList& l) { return l.remove(3); }, 2, {"ECA05", "Cn003", "Tn101"}},
      {"Remove in the middle selects the next", [](AddRemoveList& l) { return l.remove(0); }, 0, {"Cn003", "Tn101"}},
      {"Out of range does nothing", [](AddRemoveList& l) { return l.up(5) + l.down(-1) + l.remove(9) + l.add(100000); }, -4, {"Cn003", "Tn101"}},
      {"Remove ALL empties", [](AddRemoveList& l) { return l.removeAll(); }, -1, {}},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.press(list), s.selected) << s.what;
    EXPECT_EQ(customCodes(list), s.after) << s.what;
  }
}

TEST_F(AddRemoveListTest, AddAllCopiesEveryLineUpToTheListsCapacity) {
  useType(0);
  AddRemoveList small(0, {{6, 2}});
  small.addAll();
  const auto codes = customCodes(small);
  ASSERT_EQ(codes.size(), std::min(small.allLines().size(), kMaxCustomEntries));
  EXPECT_EQ(codes.front(), "Hn502") << "what was listed keeps its place";
  EXPECT_EQ(std::count(codes.begin(), codes.end(), "Hn502"), 1);

  useType(2);
  AddRemoveList big(2, {});
  ASSERT_GT(big.allLines().size(), kMaxCustomEntries);
  big.addAll();
  EXPECT_EQ(big.customLines().size(), kMaxCustomEntries);
  EXPECT_TRUE(big.full());
  EXPECT_EQ(big.add(static_cast<int>(big.allLines().size()) - 1), -1) << "a full list takes nothing more";
  EXPECT_EQ(big.entries().size(), kMaxCustomEntries);
}

TEST_F(AddRemoveListTest, OkGivesBackTheListAsPairs) {
  AddRemoveList list(2, {});
  list.add(0);
  const auto& all = list.allLines();
  const auto pn401 = std::find_if(all.begin(), all.end(), [](const std::string& l) { return l.rfind("Pn401", 0) == 0; });
  ASSERT_NE(pn401, all.end());
  list.add(static_cast<int>(pn401 - all.begin()));
  EXPECT_EQ(list.entries(), (std::vector<CustomEntry>{{1, 1}, {8, 1}}));
}

TEST_F(AddRemoveListTest, EntriesTheDriveTypeLacksAreKeptUnseen) {
  useType(0);
  // Pn401 exists only on the M7 family; a list made there survives a visit under type 0.
  AddRemoveList list(0, {{8, 1}, {1, 1}, {0, 4}});
  EXPECT_EQ(customCodes(list), (std::vector<std::string>{"Cn001"}));
  EXPECT_EQ(list.entries(), (std::vector<CustomEntry>{{1, 1}, {8, 1}})) << "group 0 names nothing and goes";
  list.removeAll();
  EXPECT_TRUE(list.entries().empty());
}

}  // namespace
}  // namespace zavo::test
