// The digit editors: which editor Edit opens for each packed parameter, and the values their
// lists compose.

#include <gtest/gtest.h>

#include "editors/DigitLayout.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "resources/TextTable.h"

namespace zavo::test {
namespace {

class DigitLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = driveContext();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
  }
  void TearDown() override { driveContext() = saved_; }

  static std::optional<DigitLayout> layoutOf(const char* code, int type) {
    driveContext().reset(type);
    catalogue::Limits lim;
    EXPECT_TRUE(catalogue::limitsOf(code, lim)) << code;
    return digitLayoutOf(code, type, lim.min, lim.max);
  }
  static std::vector<int> values(const DigitField& f) {
    std::vector<int> out;
    for (const auto& c : f.choices) out.push_back(c.value);
    return out;
  }

 private:
  DriveContext saved_;
};

TEST_F(DigitLayoutTest, EditOpensTheEditorOfTheParameterOnItsDriveType) {
  const struct {
    const char* code;
    int type;
    int resource;  // 0: the value editor
    const char* label;
  } cases[] = {
      {"Cn001", 3, 1242, "(0~D)"},       {"Cn001", 2, 1242, "(0~C)"},        {"Cn002", 2, 131, "Range  (0000-1011)"},
      {"Cn006", 2, 268, "(0000-0066)"},  {"Cn015", 0, 138, "(0000-0044)"},   {"Cn026", 2, 189, "(1-21)"},
      {"Cn031", 0, 1240, "(000-113)"},   {"Cn031", 3, 1253, "(0000-0113)"}, {"Cn037", 2, 272, "(0000-0135)"},
      {"Pn301", 1, 265, "(0000-0113)"},  {"Pn301", 2, 276, "(0000-7113)"},  {"Pn316", 0, 273, "(0000-0011)"},
      {"Pn316", 4, 1241, "(0000-1111)"}, {"Pn365", 0, 266, "(0000-1225)"},  {"Pn341", 3, 1252, "(0000-0011)"},
      {"Pn345", 2, 1255, "(0000-FFFA)"}, {"Hn601", 2, 267, "(0001-0125)"},  {"Hn610", 2, 267, "(0001-0125)"},
      {"Hn510", 1, 280, "(0000-003F)"},  {"Hn617", 2, 277, "(0000-0FFF)"},  {"Hn613", 2, 267, "(0001-0114)"},
      {"Sn222", 0, 218, "(0000-1111)"},  {"ECA02", 3, 1254, "(0000-1111)"}, {"Cn005", 2, 0, ""},
      {"Pn347", 2, 0, ""},               {"Pn341", 0, 0, ""},                {"Sn211", 2, 0, ""},
  };
  for (const auto& c : cases) {
    const auto l = layoutOf(c.code, c.type);
    ASSERT_EQ(l.has_value(), c.resource != 0) << c.code << " type " << c.type;
    if (!l) {
      EXPECT_EQ(editorRouteOf(c.code, c.type), EditorRoute::Value) << c.code;
      continue;
    }
    EXPECT_EQ(l->resource, c.resource) << c.code << " type " << c.type;
    EXPECT_EQ(l->rangeLabel, c.label) << c.code << " type " << c.type;
  }
  EXPECT_EQ(editorRouteOf("Cn030", 2), EditorRoute::ModelCode);
}

TEST_F(DigitLayoutTest, ListsStopAtTheLimitAndOkChecksWhatTheyCompose) {
  auto cn002 = layoutOf("Cn002", 2);
  const std::int32_t v = cn002->field(".2")->with(0, 1);
  EXPECT_EQ(cn002->valueText(v), "0100");
  EXPECT_TRUE(cn002->inRange(v));

  // Cn037 on the M7 reaches 0x105: each digit's list still offers what stays below it alone,
  // but digits chosen together go beyond it.
  auto cn037 = layoutOf("Cn037", 2);
  EXPECT_EQ(values(*cn037->field(".2")), (std::vector<int>{0, 1}));
  EXPECT_EQ(values(*cn037->field(".1")), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_FALSE(cn037->field(".3")->used());
  EXPECT_FALSE(cn037->inRange(0x135));
  EXPECT_EQ(values(*layoutOf("Cn037", 1)->field(".2")), std::vector<int>{0}) << "type 1 stops at 0x35";

  // The control mode list: the M7-R's label says D, its limit says C.
  EXPECT_EQ(layoutOf("Cn001", 3)->fields[0].choices.size(), 13u);
  EXPECT_EQ(layoutOf("Cn026", 2)->fields[0].choices.front().value, 1);
  EXPECT_EQ(layoutOf("Cn026", 2)->preview(3), "Pn310 30 [1/s], Sn211 30 [Hz], Sn212 150 [x0.2msec]");
}

TEST_F(DigitLayoutTest, FunctionsAreNamedByTheirMnemonicsAndBitsCountFromTheLimit) {
  auto di = layoutOf("Hn601", 2);
  const DigitField* fn = di->field(".1.0");
  ASSERT_NE(fn, nullptr);
  EXPECT_EQ(fn->choices.front().text, "SON");
  EXPECT_EQ(fn->choices.back().text, "HS_W");
  EXPECT_EQ(fn->choices[static_cast<std::size_t>(fn->choiceIndex(0x121))].text, "ECUT");
  EXPECT_EQ(fn->valueText(0x21), "21");
  EXPECT_EQ(values(*di->field(".2")), (std::vector<int>{0, 1}));
  auto output = layoutOf("Hn613", 2);
  EXPECT_EQ(output->field(".1.0")->choices.front().text, "RDY");
  EXPECT_EQ(output->field(".1.0")->choices.back().text, "ALDO");

  EXPECT_EQ(layoutOf("Hn510", 1)->fields.size(), 6u);
  auto bits = layoutOf("Hn617", 2);
  ASSERT_EQ(bits->fields.size(), 12u);
  EXPECT_EQ(bits->fields[11].with(0x5, 1), 0x805);
  EXPECT_EQ(bits->valueText(0x805), "0805");
}

}  // namespace
}  // namespace zavo::test
