// The contact plan by itself: how values read from a drive become cells and go back, the
// click rule, the conflict notes and what each drive type offers.

#include <gtest/gtest.h>

#include <vector>

#include "planning/DioPlan.h"
#include "resources/TextTable.h"
#include "tests/planning/FactoryGroup.h"

namespace zavo::planning {
namespace {


TEST(DioPlan, ValuesBecomeCellsAndGoBackUnchangedUnlessTouched) {
  struct Case {
    Side side;
    std::int32_t value;
    bool known;
    int code, level;
  } cases[] = {
      {Side::In, 0x0101, true, 0x01, 1},   // SON, level 1
      {Side::In, 0x0005, true, 0x05, 0},   // below 256: level 0
      {Side::In, 0x0000, true, 0x00, 0},   // NULL
      {Side::In, 0x0124, true, 0x24, 1},   // HS_W, the last row
      {Side::In, 0x0125, false, 0, 0},     // a function beyond the table
      {Side::In, 0x0200, false, 0, 0},     // 512 and more
      {Side::In, -1, false, 0, 0},
      {Side::Out, 0x0000, false, 0, 0},    // row -1
      {Side::Out, 0x0114, true, 0x14, 1},  // ALDO
      {Side::Out, 0x0115, false, 0, 0},
      {Side::Out, 0x0003, true, 0x03, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    auto group = factoryGroup(2);
    const std::size_t at = c.side == Side::In ? 2 : 13;  // DI-3, DO-2
    group[at] = c.value;
    const DioPlan plan(2, group);
    const DioColumn& col = plan.column(c.side, c.side == Side::In ? 2 : 1);
    EXPECT_EQ(col.known, c.known);
    if (c.known) {
      EXPECT_EQ(col.code(c.side), c.code);
      EXPECT_EQ(col.level(), c.level);
    }
    EXPECT_EQ(plan.values(), group) << "nothing touched: every value goes back as read";
  }
}

TEST(DioPlan, ClickRuleAndWhatATypeIgnores) {
  const auto group = factoryGroup(2);
  DioPlan plan(2, group);
  // Three clicks on one cell: level 1, level 0, level 1.
  for (int expected : {1, 2, 1}) {
    ASSERT_TRUE(plan.click(Side::In, 0, 0x01));
    EXPECT_EQ(plan.column(Side::In, 0).state, expected);
  }
  // Another row of the column: chosen at level 1, the old one gone.
  ASSERT_TRUE(plan.click(Side::In, 0, 0x07));
  EXPECT_EQ(plan.column(Side::In, 0).row, 0x07);
  EXPECT_EQ(plan.column(Side::In, 0).state, 1);
  EXPECT_EQ(plan.values()[0], 0x0107);
  EXPECT_EQ(plan.values()[1], group[1]) << "other columns untouched";

  // An output clicked once then twice: level 0 written as code alone.
  ASSERT_TRUE(plan.click(Side::Out, 3, 4));
  ASSERT_TRUE(plan.click(Side::Out, 3, 4));
  EXPECT_EQ(plan.values()[15], 0x0005);

  struct Ignored {
    int type;
    Side side;
    int row;
  } ignored[] = {{3, Side::In, 0x1D}, {3, Side::In, 0x1F}, {3, Side::Out, 8},  {3, Side::Out, 13},
                 {3, Side::Out, 17},  {0, Side::Out, 8},   {1, Side::Out, 19}, {2, Side::Out, 20},
                 {2, Side::In, 37}};
  for (const auto& i : ignored) {
    DioPlan p(i.type, factoryGroup(i.type));
    EXPECT_FALSE(p.click(i.side, 0, i.row)) << i.type << " row " << i.row;
    EXPECT_EQ(p.values(), factoryGroup(i.type));
  }
  DioPlan type3(3, factoryGroup(3));
  EXPECT_TRUE(type3.click(Side::In, 0, 0x1E)) << "POS5 stays";
  EXPECT_TRUE(type3.click(Side::Out, 0, 0x0E)) << "OV (0F) stays";
}

TEST(DioPlan, ConflictNotesAsTheDialogWordsThem) {
  ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
  struct Case {
    std::vector<std::pair<std::size_t, std::int32_t>> set;  // group index, value
    std::string title, text;
  } cases[] = {
      {{{0, 0x101}, {2, 0x101}}, "", ""},  // SON on DI-1 and DI-3, both level 1
      {{{0, 0x101}, {2, 0x001}},
       "Set Input Contact Signal",
       "[Note: Pin function can be same, but active level must be same?]\n\nHn601Hn603"},
      {{{4, 0x000}, {5, 0x100}},
       "Set Input Contact Signal",
       "[Note: Pin function can be same, but active level must be same?]\n\nHn605Hn606"},  // NULL as written
      {{{12, 0x102}, {13, 0x002}},
       "Set Output Contact Signal",
       "[Note: Pin function can not be same.]\n\nHn613 Hn614 "},
      {{{12, 0x102}, {13, 0x002}, {0, 0x101}, {1, 0x001}},  // inputs are told first
       "Set Input Contact Signal",
       "[Note: Pin function can be same, but active level must be same?]\n\nHn601Hn602"},
      {{{12, 0x000}, {13, 0x000}}, "", ""},  // unknown outputs share nothing
  };
  for (const auto& c : cases) {
    auto group = factoryGroup(2);
    for (const auto& [i, v] : c.set) group[i] = v;
    const auto note = DioPlan(2, group).conflictNote();
    EXPECT_EQ(note ? note->title : "", c.title);
    EXPECT_EQ(note ? note->text : "", c.text);
  }
  TextTable::active().useBuiltin();
}

TEST(DioLayout, WhatEachDriveTypeHas) {
  struct Case {
    int type, di, dout;
    const char *first, *firstOut, *last;
  } cases[] = {{0, 13, 4, "Hn501", "Hn514", "Hn519"},
               {1, 6, 3, "Hn501", "Hn507", "Hn511"},
               {2, 12, 4, "Hn601", "Hn613", "Hn618"},
               {3, 12, 3, "Hn601", "Hn613", "Hn618"},
               {4, 12, 4, "Hn601", "Hn613", "Hn618"}};
  for (const auto& c : cases) {
    const DioLayout l = DioLayout::of(c.type);
    EXPECT_EQ(l.terminals(Side::In), c.di);
    EXPECT_EQ(l.terminals(Side::Out), c.dout);
    EXPECT_EQ(l.parameter(Side::In, 0), c.first);
    EXPECT_EQ(l.parameter(Side::Out, 0), c.firstOut);
    EXPECT_EQ(l.names().back(), c.last);
  }
  EXPECT_EQ(DioLayout::of(0).terminalLabel(Side::In, 1), " DI-2\n (CN1-14)");
  EXPECT_EQ(DioLayout::of(2).terminalLabel(Side::Out, 3), " DO-4\n (CN1-21)");
  EXPECT_EQ(DioLayout::of(2).rowLabel(Side::In, 0x24), "24 HS_W");
  EXPECT_EQ(DioLayout::of(3).rowLabel(Side::In, 0x1D), "----");
  EXPECT_EQ(DioLayout::of(3).rowLabel(Side::Out, 16), "11 LIM");
  EXPECT_EQ(DioLayout::of(3).rowLabel(Side::Out, 17), "") << "17 labelled on type 3";
  EXPECT_EQ(DioLayout::of(1).rowLabel(Side::Out, 0), "") << "none on type 1";

  struct Code {
    Side side;
    const char* text;
    int code;
  } codes[] = {{Side::In, "NULL", 0}, {Side::In, "0A", 0x0A}, {Side::In, "25", -1},
               {Side::Out, "00", -1}, {Side::Out, "14", 0x14}, {Side::In, "G-SEL", 0x0F}};
  for (const auto& c : codes) EXPECT_EQ(functionCode(c.side, c.text), c.code) << c.text;
}

}  // namespace
}  // namespace zavo::planning
