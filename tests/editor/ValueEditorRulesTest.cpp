// What the value editor accepts: the text, the limits and the values the drive refuses.

#include <gtest/gtest.h>

#include "editors/ValueEditorRules.h"
#include "tests/editor/EditorFixture.h"

namespace zavo::test {
namespace {

class ValueEditorRulesTest : public EditorTest {
 protected:
  static ValueEditorSubject subject(const char* code, int type) {
    catalogue::Limits lim;
    EXPECT_TRUE(catalogue::limitsOf(code, lim)) << code;
    return {code, lim.min, lim.max, type};
  }
};

TEST_F(ValueEditorRulesTest, Verdicts) {
  using V = ValueVerdict;
  const struct {
    int type;
    const char* code;
    const char* text;
    V verdict;
    std::int32_t value;
  } cases[] = {
      {2, "Cn003", "-2000", V::Accepted, -2000},
      {2, "Cn003", "2000", V::Accepted, 2000},
      {2, "Cn003", " 12 ", V::Accepted, 12},
      {2, "Cn003", "007", V::Accepted, 7},
      {2, "Cn003", "-2001", V::OutOfRange, 0},
      {2, "Cn003", "2001", V::OutOfRange, 0},
      {2, "Cn003", "99999999999999999999", V::OutOfRange, 0},
      {2, "Cn003", "12a", V::BadText, 0},
      {2, "Cn003", "", V::BadText, 0},
      {2, "Cn003", "-", V::BadText, 0},
      {2, "Cn003", "+5", V::BadText, 0},
      {2, "Cn003", "1-2", V::BadText, 0},
      {2, "Cn003", "1.5", V::BadText, 0},
      {2, "Pn354", "0", V::Accepted, 0},
      {2, "Pn354", "64", V::Accepted, 64},
      {2, "Pn354", "63", V::OutOfRange, 0},
      {2, "Pn354", "1", V::OutOfRange, 0},
      {2, "Pn354", "8388608", V::Accepted, 8388608},
      // On the old families Pn354 is a pulse count of the position table: any value in range.
      {0, "Pn354", "5", V::Accepted, 5},
      {2, "Cn005", "16384", V::Accepted, 16384},
      {2, "Cn005", "16385", V::OutOfRange, 0},
      {2, "Cn005", "32768", V::Accepted, 32768},
      {2, "Cn005", "15", V::OutOfRange, 0},
      {2, "Cn059", "0", V::Accepted, 0},
      {2, "Cn059", "1", V::OutOfRange, 0},
      {2, "Cn059", "2", V::Accepted, 2},
      {3, "Cn009", "1", V::OutOfRange, 0},
      {3, "Cn009", "2", V::Accepted, 2},
      {2, "Cn009", "1", V::Accepted, 1},
      {2, "Cn054", "65535", V::Accepted, 65535},
      {2, "Cn054", "65536", V::OutOfRange, 0},
      // Digit-wise parameters are typed as the list shows them, in hexadecimal.
      {2, "Cn002", "1011", V::Accepted, 0x1011},
      {2, "Cn002", "0100", V::Accepted, 0x0100},
      {2, "Cn002", "1012", V::OutOfRange, 0},
      {2, "Cn002", "0G", V::BadText, 0},
      {2, "Cn002", "-1", V::BadText, 0},
  };
  for (const auto& c : cases) {
    useType(c.type);
    std::int32_t v = 0;
    EXPECT_EQ(judgeValue(subject(c.code, c.type), c.text, v), c.verdict) << c.type << " " << c.code << " '" << c.text << "'";
    if (c.verdict == V::Accepted) {
      EXPECT_EQ(v, c.value) << c.code << " '" << c.text << "'";
    }
  }
}

TEST_F(ValueEditorRulesTest, LargeBandsOfCn005AreRefusedOnADriveThatAllowsThem) {
  ValueEditorSubject s{"Cn005", 16, 2097152, 2};
  std::int32_t v = 0;
  for (std::int32_t refused : {32769, 32771, 65537, 65543, 131073, 131087, 262145, 262175, 524289, 524351, 1048577,
                               1048703})
    EXPECT_EQ(judgeValue(s, std::to_string(refused), v), ValueVerdict::OutOfRange) << refused;
  for (std::int32_t taken : {32768, 32772, 65544, 131088, 262176, 524352, 1048704, 2097152})
    EXPECT_EQ(judgeValue(s, std::to_string(taken), v), ValueVerdict::Accepted) << taken;
}

TEST_F(ValueEditorRulesTest, RangeLabelsAndFirstTexts) {
  EXPECT_EQ(rangeLabel(subject("Cn059", 2)), "(0,2,3)");
  EXPECT_EQ(rangeLabel(subject("Pn354", 2)), "(0,64~8388608)");
  EXPECT_EQ(rangeLabel(subject("Cn003", 2)), "(-2000~2000)");
  EXPECT_EQ(rangeLabel(subject("Cn002", 2)), "(0000~1011)");
  EXPECT_EQ(rangeLabel({"Cn003", 5, 5, 2}), "") << "a fixed value has no range";
  EXPECT_EQ(entryText(subject("Cn002", 2), 0x1011), "1011");
  EXPECT_EQ(entryText(subject("Cn003", 2), -150), "-150");
  EXPECT_TRUE(hexEntry("Cn030"));
  EXPECT_FALSE(hexEntry("Cn005"));
}

}  // namespace
}  // namespace zavo::test
