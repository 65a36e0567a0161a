// The online editor: the step rule, and slots stepped live on the virtual drive.

#include <gtest/gtest.h>

#include <climits>

#include "editors/OnlineEditor.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ValueConversion.h"
#include "tests/editor/FieldFixture.h"

namespace zavo::test {
namespace {

constexpr OnlineStep dec(std::int64_t s) { return {s, false}; }
constexpr OnlineStep digit(std::int64_t s) { return {s, true}; }

TEST(OnlineStep, ClampsDecimalStepsAndMovesOneDigitWithinTheLimitsDigit) {
  const struct {
    std::int32_t value;
    OnlineStep step;
    bool up;
    std::int32_t limit;
    std::optional<std::int32_t> next;  // nothing: "Over Range!!"
  } cases[] = {
      {95, dec(10), true, 100, 100},
      {100, dec(10), true, 100, std::nullopt},
      {5, dec(10), false, 0, 0},
      {0x0013, digit(0x10), true, 0x0066, 0x0023},
      {0x0063, digit(0x10), true, 0x0066, std::nullopt},
      {0x0103, digit(0x1), true, 0x0135, 0x0104},
      {0x0105, digit(0x1), true, 0x0135, std::nullopt},
      // The digit is the limit's digit already: no carry into the next one.
      {0x0010, digit(0x10), true, 0x7113, std::nullopt},
      // A digit beyond the limit's digit is put on it; the others stay.
      {0x0150, digit(0x10), true, 0x0130, 0x0130},
      {0x0015, digit(0x10), false, 0x0030, 0x0035},
      {0x0025, digit(0x10), false, 0x0000, 0x0015},
      // Hexadecimal parameters step by ten thousand as a decimal step.
      {0x0100, dec(10000), true, 0x7113, 10256},
      // Wide steps near the ends of 32 bits clamp rather than wrap.
      {INT_MAX - 5, dec(100000000), true, INT_MAX, INT_MAX},
      {INT_MIN + 5, dec(100000000), false, INT_MIN, INT_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(steppedValue(c.value, c.step, c.up, c.limit), c.next)
        << std::hex << c.value << (c.up ? " + " : " - ") << c.step.size << " limit " << c.limit;
}

TEST(OnlineStep, OffersTheStepsOfTheEditorKind) {
  const struct {
    const char* code;
    bool wide, hex;
    std::size_t steps;
  } cases[] = {{"Sn211", false, false, 5}, {"Pn301", false, true, 5}, {"Pn302", true, false, 9}, {"Cn019", true, false, 9}};
  for (const auto& c : cases) {
    const OnlineStepping s = steppingOf(catalogue::attributes(c.code));
    EXPECT_EQ(s.wide, c.wide) << c.code;
    EXPECT_EQ(s.hex, c.hex) << c.code;
    EXPECT_EQ(s.steps.size(), c.steps) << c.code;
  }
  const OnlineStepping hex = steppingOf(catalogue::attributes("Pn301"));
  EXPECT_EQ(stepOfSize(hex, 10000), dec(10000));
  EXPECT_EQ(stepOfSize(hex, 0x100), digit(0x100));
  EXPECT_EQ(stepOfSize(hex, 10), std::nullopt);
  EXPECT_EQ(stepOfSize(steppingOf(catalogue::attributes("Pn302")), 100000000), dec(100000000));
}

OnlineSlotCodes slots(std::initializer_list<const char*> codes) {
  OnlineSlotCodes out;
  std::size_t i = 0;
  for (const char* c : codes) out[i++] = c;
  return out;
}

TEST(OnlineEditor, OpensWithTheDrivesValuesAndEmptiesCodesTheTypeLacks) {
  FieldDrive f(driveOf(3));
  f.drive.setParameter("Sn211", 123);
  OnlineEditor editor(f.ops, f.doc);
  editor.load(slots({"Sn211", "", "Pn347", "qn501"}));
  EXPECT_EQ(editor.slot(0).valueText(), "123");
  EXPECT_TRUE(editor.slot(1).empty());
  EXPECT_TRUE(editor.slot(2).empty()) << "Pn347 does not exist on the M7-R";
  EXPECT_EQ(editor.slot(3).value, 123) << "qn501 names Sn211's word";
  EXPECT_EQ(editor.codes()[2], "");
}

TEST(OnlineEditor, StepsAreWrittenAtOnceAndEveryBoxIsTheDialogsOwn) {
  FieldDrive f(driveOf(2, "refuse-reg=531"));  // Sn212's word refuses writes
  f.drive.setParameter("Sn211", 40);
  f.drive.setParameter("Sn212", 100);
  OnlineEditor editor(f.ops, f.doc);
  editor.load(slots({"Sn211", "Pn302", "qn501", "Sn212"}));
  const std::int32_t pn302 = editor.slot(1).value;
  using O = OnlineEditor::Outcome;
  const struct {
    int slot;
    OnlineStep step;
    bool up;
    O outcome;
    const char* box;  // "" for none
    std::vector<int> repainted;
  } steps[] = {
      {0, dec(10), true, O::Written, "", {0, 2}},  // the quick alias follows
      {1, dec(100000000), true, O::Written, "", {1}},
      {3, dec(1), true, O::Failed, "Online parameter eidt failed!!", {3}},
      {0, dec(10000), false, O::Written, "", {0, 2}},
      {0, dec(1), false, O::OverRange, "Over Range!!\n\n", {}},
  };
  for (const auto& s : steps) {
    f.prompt.clear();
    std::vector<int> changed;
    EXPECT_EQ(editor.step(s.slot, s.step, s.up, changed), s.outcome) << s.slot;
    EXPECT_EQ(f.lastText(), s.box) << s.slot;
    EXPECT_EQ(changed, s.repainted) << s.slot;
  }
  const std::int32_t low = editor.slot(0).min;
  EXPECT_EQ(editor.slot(0).value, low);
  EXPECT_EQ(editor.slot(2).value, low);
  EXPECT_EQ(*f.drive.storedParameter("Sn211") & 0xFFFF, low);
  EXPECT_EQ(*f.drive.storedParameter("Pn302"), conversion::toRaw("Pn302", editor.slot(1).value));
  EXPECT_EQ(editor.slot(1).value, pn302 + 100000000) << "written as two words";
  EXPECT_EQ(editor.slot(3).value, 100) << "a refused step takes the slot back";
  EXPECT_EQ(*f.drive.storedParameter("Sn212") & 0xFFFF, 100);
}

TEST(OnlineEditor, WithoutALinkAStepSaysSoAndSendsNothing) {
  FieldDrive f(driveOf(2), false);
  OnlineEditor editor(f.ops, f.doc);
  editor.load(slots({"Sn211"}));
  std::vector<int> changed;
  EXPECT_EQ(editor.step(0, dec(1), true, changed), OnlineEditor::Outcome::NoLink);
  EXPECT_EQ(f.lastText(), "Communicate Error!");
  EXPECT_EQ(f.drive.requestCount(), 0);
}

}  // namespace
}  // namespace zavo::test
