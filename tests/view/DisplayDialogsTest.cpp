// Display Set and Add/Remove driven through their control ids on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

#include "params/catalogue/DriveContext.h"
#include "params/ui/AddRemoveDialog.h"
#include "params/ui/DisplaySetDialog.h"
#include "resources/TextTable.h"
#include "tests/ui/QtApp.h"

namespace zavo::test {
namespace {

constexpr int kGroupIds[] = {kIdcGroupAll, kIdcGroupCn, kIdcGroupTn, kIdcGroupQn, kIdcGroupSn,
                             kIdcGroupPn, kIdcGroupHn, kIdcGroupCia402, kIdcGroupTuning, kIdcGroupEca};
constexpr int kSevenIds[] = {kIdcGroupCn, kIdcGroupTn, kIdcGroupQn, kIdcGroupSn, kIdcGroupPn, kIdcGroupHn, kIdcGroupCia402};
constexpr int kControlModeIds[] = {kIdcModeTorque, kIdcModeSpeed, kIdcModePositionInternal, kIdcModePositionExternal,
                                   kIdcModePt};

class DisplayDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApp();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
    driveContext().reset(2);
  }
  void TearDown() override { driveContext().reset(2); }

  static QCheckBox* box(const ResourceDialog& d, int id) { return d.control<QCheckBox>(id); }
  static void click(const ResourceDialog& d, int id) { d.control<QAbstractButton>(id)->click(); }

  // Runs `act` on the next modal dialog of type T once it is up.
  template <class T>
  static void whenShown(std::function<void(T&)> act) {
    QTimer::singleShot(0, [act] {
      auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!d) return whenShown<T>(act);
      act(*d);
    });
  }
};

TEST_F(DisplayDialogsTest, EachModeEnablesItsOwnControls) {
  DisplaySetDialog d(DisplaySelection{}, 2);
  struct Case {
    int radio;
    bool groups, controlModes, addRemove;
  };
  const Case cases[] = {
      {kIdcModeControlMode, false, true, false},
      {kIdcModeCustom, false, false, true},
      {kIdcModeSelectParameters, true, false, false},
  };
  for (const Case& c : cases) {
    click(d, c.radio);
    EXPECT_TRUE(d.control<QRadioButton>(c.radio)->isChecked());
    for (int id : kGroupIds) EXPECT_EQ(box(d, id)->isEnabled(), c.groups) << c.radio << " " << id;
    for (int id : kControlModeIds) EXPECT_EQ(box(d, id)->isEnabled(), c.controlModes) << c.radio << " " << id;
    EXPECT_EQ(d.control<QPushButton>(kIdcAddRemove)->isEnabled(), c.addRemove) << c.radio;
    EXPECT_EQ(static_cast<int>(d.selection().mode), c.radio - kIdcModeSelectParameters);
  }
}

TEST_F(DisplayDialogsTest, AllParametersFollowsItsSevenBoxes) {
  DisplaySelection start;
  start.groups.fill(false);
  DisplaySetDialog d(start, 2);
  click(d, kIdcGroupAll);
  for (int id : kSevenIds) EXPECT_TRUE(box(d, id)->isChecked()) << id;
  EXPECT_FALSE(box(d, kIdcGroupTuning)->isChecked());
  EXPECT_FALSE(box(d, kIdcGroupEca)->isChecked());
  for (int id : kSevenIds) {
    click(d, id);
    EXPECT_FALSE(box(d, kIdcGroupAll)->isChecked()) << "unchecking " << id;
    click(d, id);
    EXPECT_TRUE(box(d, kIdcGroupAll)->isChecked()) << "re-checking " << id;
  }
  click(d, kIdcGroupEca);
  EXPECT_TRUE(box(d, kIdcGroupAll)->isChecked()) << "ECA is not one of the seven";
}

TEST_F(DisplayDialogsTest, AStoredAllFlagIsShownAsTheAndOfTheSeven) {
  DisplaySelection s;
  s.groups[static_cast<std::size_t>(DisplayGroup::Hn)] = false;  // All still set in the struct
  DisplaySetDialog d(s, 2);
  EXPECT_FALSE(box(d, kIdcGroupAll)->isChecked());
}

TEST_F(DisplayDialogsTest, OkWithNothingCheckedStoresEverything) {
  struct Case {
    int radio;
    const int* ids;
    std::size_t count;
  };
  const Case cases[] = {{kIdcModeControlMode, kControlModeIds, std::size(kControlModeIds)},
                        {kIdcModeSelectParameters, kGroupIds, std::size(kGroupIds)}};
  for (const Case& c : cases) {
    DisplaySelection s;
    s.groups.fill(false);
    s.controlModes.fill(false);
    whenShown<DisplaySetDialog>([&c](DisplaySetDialog& d) {
      d.control<QAbstractButton>(c.radio)->click();
      d.press(kIdOk);
    });
    ASSERT_TRUE(DisplaySetDialog::edit(s, nullptr));
    EXPECT_EQ(static_cast<int>(s.mode), c.radio - kIdcModeSelectParameters);
    const auto& flags = c.radio == kIdcModeControlMode ? std::vector<bool>(s.controlModes.begin(), s.controlModes.end())
                                                       : std::vector<bool>(s.groups.begin(), s.groups.end());
    EXPECT_EQ(flags, std::vector<bool>(c.count, true)) << c.radio;
  }
}

TEST_F(DisplayDialogsTest, CancelLeavesTheSelectionAsItWas) {
  DisplaySelection s;
  s.custom = {{1, 1}};
  const DisplaySelection before = s;
  whenShown<DisplaySetDialog>([](DisplaySetDialog& d) {
    d.control<QAbstractButton>(kIdcModeControlMode)->click();
    d.control<QAbstractButton>(kIdcModeTorque)->click();
    d.press(kIdCancel);
  });
  EXPECT_FALSE(DisplaySetDialog::edit(s, nullptr));
  EXPECT_EQ(s, before);
}

TEST_F(DisplayDialogsTest, AddRemoveFromDisplaySetEditsTheCustomList) {
  DisplaySelection s;
  s.mode = DisplayMode::Custom;
  s.custom = {{1, 1}};
  // In Display Set: Add/Remove; in it add the third line and OK; then OK in Display Set.
  whenShown<DisplaySetDialog>([](DisplaySetDialog& d) {
    whenShown<AddRemoveDialog>([&d](AddRemoveDialog& a) {
      a.control<QListWidget>(kIdcAllParameters)->setCurrentRow(2);
      a.press(kIdcAdd);
      a.press(kIdOk);
      QTimer::singleShot(0, [&d] { d.press(kIdOk); });
    });
    d.press(kIdcAddRemove);
  });
  ASSERT_TRUE(DisplaySetDialog::edit(s, nullptr));
  EXPECT_EQ(s.custom, (std::vector<CustomEntry>{{1, 1}, {1, 3}}));
}

QStringList lines(const QListWidget* l) {
  QStringList out;
  for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}

QStringList codes(const QListWidget* l) {
  QStringList out;
  for (const QString& line : lines(l)) out << line.section(QLatin1Char(' '), 0, 0);
  return out;
}

TEST_F(DisplayDialogsTest, AddRemoveOnDriveType3OmitsWhatTheTypeLacks) {
  driveContext().reset(3);
  AddRemoveDialog d(3, {});
  const QStringList all = codes(d.control<QListWidget>(kIdcAllParameters));
  EXPECT_FALSE(all.contains(QStringLiteral("Cn094")));
  EXPECT_TRUE(all.contains(QStringLiteral("Pn401")));
  EXPECT_EQ(all.first(), QStringLiteral("Cn001"));
  EXPECT_EQ(all.last(), QStringLiteral("ECA22"));
  EXPECT_TRUE(lines(d.control<QListWidget>(kIdcAllParameters)).first().startsWith(QStringLiteral("Cn001  ")));
  driveContext().reset(2);
  AddRemoveDialog m7(2, {});
  EXPECT_TRUE(codes(m7.control<QListWidget>(kIdcAllParameters)).contains(QStringLiteral("Cn094")));
}

TEST_F(DisplayDialogsTest, AddRemoveButtons) {
  AddRemoveDialog d(2, {{1, 3}, {2, 1}, {9, 5}});
  auto* custom = d.control<QListWidget>(kIdcCustomParameters);
  auto* all = d.control<QListWidget>(kIdcAllParameters);
  EXPECT_EQ(codes(custom), QStringList({"Cn003", "Tn101", "ECA05"}));

  struct Step {
    const char* what;
    std::function<void()> act;
    QStringList after;
    int selected;
  };
  const Step steps[] = {
      {"Up on the first line", [&] { custom->setCurrentRow(0); d.press(kIdcUp); }, {"Cn003", "Tn101", "ECA05"}, 0},
      {"Down on the last line", [&] { custom->setCurrentRow(2); d.press(kIdcDown); }, {"Cn003", "Tn101", "ECA05"}, 2},
      {"Up", [&] { d.press(kIdcUp); }, {"Cn003", "ECA05", "Tn101"}, 1},
      {"Down", [&] { custom->setCurrentRow(0); d.press(kIdcDown); }, {"ECA05", "Cn003", "Tn101"}, 1},
      {"Add", [&] { all->setCurrentRow(0); d.press(kIdcAdd); }, {"ECA05", "Cn003", "Tn101", "Cn001"}, 3},
      {"Remove", [&] { custom->setCurrentRow(1); d.press(kIdcRemove); }, {"ECA05", "Tn101", "Cn001"}, 1},
      {"Remove ALL", [&] { d.press(kIdcRemoveAll); }, {}, -1},
      {"Remove with nothing there", [&] { d.press(kIdcRemove); }, {}, -1},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(codes(custom), s.after) << s.what;
    EXPECT_EQ(custom->currentRow(), s.selected) << s.what;
  }
  d.press(kIdcAddAll);
  EXPECT_EQ(custom->count(), static_cast<int>(kMaxCustomEntries)) << "drive type 2 has more than the list holds";
  EXPECT_EQ(d.entries().size(), kMaxCustomEntries);
}

}  // namespace
}  // namespace zavo::test
