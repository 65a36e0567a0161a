// The display selection: the Display Set rules that need no widgets, and its keeping in
// ZavoServo.ini.

#include <gtest/gtest.h>

#include <sstream>

#include "app/AppSettings.h"
#include "app/DisplaySettings.h"
#include "params/listing/DisplaySelectionRules.h"

namespace zavo {
namespace {

DisplaySelection noneChosen(DisplayMode mode) {
  DisplaySelection s;
  s.mode = mode;
  s.groups.fill(false);
  s.controlModes.fill(false);
  return s;
}

TEST(DisplaySelectionRulesTest, OkFillsTheEmptyChoiceOfTheCurrentModeOnly) {
  const DisplaySelection groups = confirmed(noneChosen(DisplayMode::SelectGroups));
  for (bool g : groups.groups) EXPECT_TRUE(g);
  for (bool m : groups.controlModes) EXPECT_FALSE(m) << "mode 0 leaves the control modes alone";

  const DisplaySelection modes = confirmed(noneChosen(DisplayMode::ControlMode));
  for (bool m : modes.controlModes) EXPECT_TRUE(m);
  for (bool g : modes.groups) EXPECT_FALSE(g);

  const DisplaySelection custom = confirmed(noneChosen(DisplayMode::Custom));
  EXPECT_EQ(custom, noneChosen(DisplayMode::Custom));
}

TEST(DisplaySelectionRulesTest, OkKeepsAChoiceThatChoseSomething) {
  DisplaySelection s = noneChosen(DisplayMode::ControlMode);
  s.controlModes[static_cast<std::size_t>(DisplayControlMode::Pt)] = true;
  EXPECT_EQ(confirmed(s), s);
  DisplaySelection t = noneChosen(DisplayMode::SelectGroups);
  t.groups[static_cast<std::size_t>(DisplayGroup::ECA)] = true;
  EXPECT_EQ(confirmed(t), t) << "ECA alone is a choice";
}

TEST(DisplaySelectionRulesTest, AllParametersIsTheAndOfItsSevenBoxes) {
  DisplaySelection s = noneChosen(DisplayMode::SelectGroups);
  setGroup(s, DisplayGroup::All, true);
  for (DisplayGroup g : kGroupsOfAll) EXPECT_TRUE(s.group(g));
  EXPECT_FALSE(s.group(DisplayGroup::tn)) << "tn and ECA are not part of All";
  EXPECT_FALSE(s.group(DisplayGroup::ECA));

  for (DisplayGroup g : kGroupsOfAll) {
    setGroup(s, g, false);
    EXPECT_FALSE(s.group(DisplayGroup::All)) << static_cast<int>(g);
    setGroup(s, g, true);
    EXPECT_TRUE(s.group(DisplayGroup::All)) << static_cast<int>(g);
  }
  setGroup(s, DisplayGroup::tn, true);
  setGroup(s, DisplayGroup::tn, false);
  EXPECT_TRUE(s.group(DisplayGroup::All)) << "tn does not affect All";

  setGroup(s, DisplayGroup::All, false);
  for (DisplayGroup g : kGroupsOfAll) EXPECT_FALSE(s.group(g));
}

TEST(DisplaySelectionRulesTest, AModeOutOfRangeBecomesGroupSelection) {
  DisplaySelection s;
  s.mode = static_cast<DisplayMode>(7);
  EXPECT_EQ(confirmed(s).mode, DisplayMode::SelectGroups);
}

AppSettings throughTheFile(const AppSettings& in) {
  std::stringstream file;
  in.write(file);
  AppSettings out;
  EXPECT_TRUE(out.read(file));
  return out;
}

TEST(DisplaySettingsTest, EverySelectionSurvivesTheSettingsFile) {
  // Each flag alone, in each mode, plus a custom list: the slot layout must not swap or lose
  // any of them.
  std::vector<DisplaySelection> cases;
  for (std::size_t g = 1; g < kDisplayGroupCount; ++g) {
    DisplaySelection s = noneChosen(DisplayMode::SelectGroups);
    s.groups[g] = true;
    s.controlModes[g % kDisplayControlModeCount] = true;
    cases.push_back(confirmed(s));
  }
  for (std::size_t m = 0; m < kDisplayControlModeCount; ++m) {
    DisplaySelection s = noneChosen(DisplayMode::ControlMode);
    s.controlModes[m] = true;
    s.groups[m + 1] = true;
    cases.push_back(confirmed(s));
  }
  DisplaySelection custom = noneChosen(DisplayMode::Custom);
  custom.custom = {{1, 5}, {8, 96}, {9, 22}, {5, 1}, {1, 5}};
  cases.push_back(custom);

  for (const DisplaySelection& s : cases) {
    AppSettings settings;
    storeDisplaySelection(s, settings);
    EXPECT_EQ(displaySelectionFrom(throughTheFile(settings)), s);
  }
}

TEST(DisplaySettingsTest, SlotLayout) {
  DisplaySelection s = noneChosen(DisplayMode::Custom);
  s.groups[static_cast<std::size_t>(DisplayGroup::Cn)] = true;
  s.groups[static_cast<std::size_t>(DisplayGroup::ECA)] = true;
  s.controlModes[static_cast<std::size_t>(DisplayControlMode::Torque)] = true;
  s.controlModes[static_cast<std::size_t>(DisplayControlMode::Pt)] = true;
  AppSettings settings;
  storeDisplaySelection(s, settings);
  const int expected[AppSettings::kDisplaySettingCount] = {2, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0};
  for (int i = 0; i < AppSettings::kDisplaySettingCount; ++i) EXPECT_EQ(settings.display[i], expected[i]) << i;
  EXPECT_EQ(settings.lastDisplay, 1);
}

TEST(DisplaySettingsTest, AFreshFileChoosesEveryGroup) {
  const DisplaySelection s = displaySelectionFrom(AppSettings{});
  EXPECT_EQ(s.mode, DisplayMode::SelectGroups);
  for (bool g : s.groups) EXPECT_TRUE(g);
  EXPECT_TRUE(s.custom.empty());
}

TEST(DisplaySettingsTest, TheCustomListIsCappedAt300BothWays) {
  AppSettings settings;
  for (int i = 0; i < 310; ++i) settings.definite.push_back({1, i % 99});
  EXPECT_EQ(displaySelectionFrom(settings).custom.size(), kMaxCustomEntries);
  DisplaySelection s;
  s.custom.assign(320, CustomEntry{2, 1});
  storeDisplaySelection(s, settings);
  EXPECT_EQ(settings.definite.size(), kMaxCustomEntries);
}

}  // namespace
}  // namespace zavo
