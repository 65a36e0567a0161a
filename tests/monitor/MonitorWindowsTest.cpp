// The four monitor windows over the running program's view, linked to a virtual drive: opened
// only while linked, brought forward when open, refreshed by the view's tick, their selections
// kept, their cells coloured, the alarm history cleared through the view's message.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "app/ui/CZavoServoApp.h"
#include "monitor/ui/CAlarmHistoryDlg.h"
#include "monitor/ui/CDiagnosticsDlg.h"
#include "monitor/ui/DisplayPageDialog.h"
#include "platform/qt/UiText.h"
#include "resources/TextTable.h"
#include "sim/VirtualDrive.h"
#include "tests/editor/UiHelpers.h"
#include "tests/ui/AppFixture.h"

namespace zavo::test {
namespace {

bool loadEnglish() {
  if (!TextTable::active().loadLibrary(TOLKAR_PATH)) return false;
  setTextLookup([](int id) { return id < 0 ? std::string() : text(static_cast<unsigned>(id)); });
  return true;
}

class MonitorWindowsTest : public AppFixture {
 protected:
  void startLinked(sim::SimOptions o = {}) {
    o.linkPath = (root / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    std::string error;
    ASSERT_TRUE(drive->start(&error)) << error;
    entries = {o.linkPath + " : Virtual drive"};
    answer = LinkPortChoice{0, entries[0], 2};
    StartupOptions so = options();
    so.loadLanguage = &loadEnglish;
    ASSERT_TRUE(start(so));
    ASSERT_TRUE(linkState().isConnected());
    prompt.clear();
  }
  void TearDown() override {
    AppFixture::TearDown();
    if (drive) drive->stop();
  }
  MonitorWindows& windows() { return view()->monitorWindows(); }
  // The window's close button, and the deletion it asks for.
  static void closeWindow(ResourceDialog* w) {
    w->press(kIdCancel);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static QString textOf(const ResourceDialog* w, int id) { return w->control<QLabel>(id)->text(); }

  std::unique_ptr<sim::VirtualDrive> drive;
};

TEST_F(MonitorWindowsTest, NothingOpensWithoutALink) {
  ASSERT_TRUE(start(options()));
  for (int id : {cmd::kDisplayValues, cmd::kDiagnostics, cmd::kAlarmHistory}) {
    EXPECT_TRUE(frame()->commands().action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame()->runCommand(id)) << id;
  }
  EXPECT_FALSE(windows().displayWindow());
  EXPECT_FALSE(windows().diagnosticsWindow());
  EXPECT_FALSE(windows().alarmWindow());
  EXPECT_FALSE(view()->toolWindows().anyOpen());
}

TEST_F(MonitorWindowsTest, TheAlarmWindowOpensOnceRefreshesClearsAndCloses) {
  startLinked();
  frame()->runCommand(cmd::kAlarmHistory);
  CAlarmHistoryDlg* w = windows().alarmWindow();
  ASSERT_TRUE(w);
  EXPECT_TRUE(view()->toolWindows().alarm);
  frame()->runCommand(cmd::kAlarmHistory);
  EXPECT_EQ(windows().alarmWindow(), w) << "brought forward, not made again";
  view()->monitorTick();
  EXPECT_EQ(textOf(w, kIdcAlarmCodeFirst + 1), "09");
  EXPECT_EQ(textOf(w, kIdcAlarmNoteFirst + 1), "   Emergency  Stop");
  saveScreenshot(w, "monitor-alarms");

  // "Clear" goes to the view as message 0x720; the view clears the drive's history.
  w->press(kIdcAlarmClear);
  QCoreApplication::sendPostedEvents(view());
  EXPECT_EQ(drive->alarms(), sim::AlarmHistory::Codes{});
  EXPECT_EQ(textOf(w, kIdcAlarmCodeFirst + 1), "00");
  EXPECT_EQ(textOf(w, kIdcAlarmNoteFirst + 1), "   Normal");

  // A clear that comes while a tick talks to the drive waits for the tick's end.
  drive->setAlarms({7});
  view()->monitor().state().monitorBusy = true;
  w->press(kIdcAlarmClear);
  QCoreApplication::sendPostedEvents(view());
  EXPECT_EQ(drive->alarms()[0], 7);
  view()->monitor().state().monitorBusy = false;
  view()->monitorTick();
  EXPECT_EQ(drive->alarms()[0], 0);

  // "Update" asks the next tick for the history again.
  drive->setAlarms({12});
  view()->monitorTick();
  EXPECT_EQ(textOf(w, kIdcAlarmCodeFirst), "00");
  w->press(kIdcAlarmUpdate);
  view()->monitorTick();
  EXPECT_EQ(textOf(w, kIdcAlarmCodeFirst), "12");

  closeWindow(w);
  EXPECT_FALSE(windows().alarmWindow());
  EXPECT_FALSE(view()->toolWindows().alarm);
  EXPECT_FALSE(view()->monitor().state().alarmOpen);
}

TEST_F(MonitorWindowsTest, DiagnosticsCellsAreRedWhenOnAndBlackWhenOff) {
  sim::SimOptions o;
  o.pins = {{'6', 0xCB, 0x0005}};
  startLinked(o);
  frame()->runCommand(cmd::kDiagnostics);
  CDiagnosticsDlg* w = windows().diagnosticsWindow();
  ASSERT_TRUE(w);
  EXPECT_TRUE(view()->toolWindows().diagnostics);
  view()->monitorTick();
  EXPECT_EQ(textOf(w, kIdcDiagnosticValues[2]), "000000000101");
  EXPECT_EQ(textOf(w, kIdcTerminalLabelFirst), "S1: SON");
  EXPECT_EQ(textOf(w, kIdcOutputLabelFirst), "R1: RDY");
  struct Cell {
    int id;
    bool on;
  };
  for (const Cell c : {Cell{kIdcTerminalCellFirst, true}, Cell{kIdcTerminalCellFirst + 1, false},
                       Cell{kIdcTerminalCellFirst + 2, true}, Cell{kIdcOutputCellFirst, true}}) {
    const QLabel* cell = w->control<QLabel>(c.id);
    EXPECT_EQ(cell->text(), c.on ? "ON" : "OFF") << c.id;
    EXPECT_EQ(cell->palette().color(QPalette::Window), c.on ? QColor(250, 0, 0) : QColor(0, 0, 0)) << c.id;
  }
  EXPECT_FALSE(w->control<QLabel>(kIdcTerminalCellFirst + 12)->isVisibleTo(w)) << "twelve inputs on the M7";
  saveScreenshot(w, "monitor-diagnostics");
  closeWindow(w);
  EXPECT_FALSE(view()->toolWindows().diagnostics);
}

TEST_F(MonitorWindowsTest, TheConfigurablePageKeepsItsRowsAndListsTheDrivesItems) {
  startLinked();
  frame()->runCommand(cmd::kDisplayValues);
  auto* w = qobject_cast<CDisplaySelectDlg*>(windows().displayWindow());
  ASSERT_TRUE(w);
  auto* combo = w->control<QComboBox>(kIdcSelectComboFirst + 3);
  EXPECT_EQ(combo->count(), 48);
  EXPECT_EQ(combo->findText("Un-15"), -1);
  EXPECT_EQ(combo->findText("Un-82"), -1);
  combo->setCurrentText("Un-09");
  w->control<QCheckBox>(kIdcDisplayRowCheckFirst + 3)->click();
  view()->monitorTick();
  EXPECT_FALSE(textOf(w, kIdcSelectValueFirst + 3).isEmpty());
  EXPECT_TRUE(textOf(w, kIdcSelectValueFirst + 2).isEmpty()) << "a row that is off";
  w->press(kIdcDisplayAll);
  view()->monitorTick();
  EXPECT_FALSE(textOf(w, kIdcSelectValueFirst + 19).isEmpty());
  saveScreenshot(w, "monitor-display-select");
  w->press(kIdcDisplayClear);
  EXPECT_TRUE(textOf(w, kIdcSelectValueFirst + 3).isEmpty());
  w->control<QCheckBox>(kIdcDisplayRowCheckFirst + 3)->click();
  closeWindow(w);
  EXPECT_FALSE(view()->toolWindows().display);

  frame()->runCommand(cmd::kDisplayValues);
  w = qobject_cast<CDisplaySelectDlg*>(windows().displayWindow());
  ASSERT_TRUE(w);
  EXPECT_EQ(w->control<QComboBox>(kIdcSelectComboFirst + 3)->currentText(), "Un-09");
  EXPECT_TRUE(w->control<QCheckBox>(kIdcDisplayRowCheckFirst + 3)->isChecked());
  EXPECT_FALSE(w->control<QCheckBox>(kIdcDisplayRowCheckFirst)->isChecked());
}

TEST_F(MonitorWindowsTest, DriveType1GetsTheFixedPage) {
  sim::SimOptions o;
  o.driveType = 1;
  startLinked(o);
  driveContext().driveType = 1;
  frame()->runCommand(cmd::kDisplayValues);
  auto* w = qobject_cast<CDisplayValuesDlg*>(windows().displayWindow());
  ASSERT_TRUE(w);
  EXPECT_EQ(w->resourceId(), kIddDisplayValues);
  EXPECT_FALSE(w->controlWidget(kIdcDisplayRowCheckFirst + 19)) << "nineteen rows";
  w->press(kIdcDisplayAll);
  view()->monitorTick();
  EXPECT_FALSE(textOf(w, kIdcFixedValueFirst + 18).isEmpty());
  saveScreenshot(w, "monitor-display-fixed");
}

}  // namespace
}  // namespace zavo::test
