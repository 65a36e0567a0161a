// Commands 32779 and 32780 in the running program against the virtual drive: read, the
// dialog, the write and its message; nothing without a link, with the JOG window up or on
// Cancel.

#include <gtest/gtest.h>

#include <QRadioButton>

#include "planning/ui/ContactPlanningDialog.h"
#include "planning/ui/PlanningGrid.h"
#include "planning/ui/PlanningIds.h"
#include "planning/ui/PositionProgramTabsDialog.h"
#include "planning/ui/RangedEdit.h"
#include "resources/TextTable.h"
#include "sim/VirtualDrive.h"
#include "tests/editor/UiHelpers.h"
#include "tests/ui/AppFixture.h"

namespace zavo::test {
namespace {

using planning::Side;

class PlanningView : public AppFixture {
 protected:
  void startLinked() {
    sim::SimOptions o;
    o.linkPath = (root / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    std::string error;
    ASSERT_TRUE(drive->start(&error)) << error;
    entries = {o.linkPath + " : Virtual drive"};
    answer = LinkPortChoice{0, entries[0], 2};
    StartupOptions so = options();
    so.loadLanguage = [] { return TextTable::active().loadLibrary(TOLKAR_PATH); };
    ASSERT_TRUE(start(so));
    // A machine busy with other work can miss the first handshake; what is tested here starts
    // once a link is up.
    for (int tries = 0; tries < 3 && !linkState().isConnected(); ++tries) frame()->runCommand(cmd::kConnect);
    ASSERT_TRUE(linkState().isConnected());
    // The speed ranges follow the rated speed the handshake read.
    ASSERT_EQ(driveContext().ratedSpeed, 3000);
    view()->operations().setPauseMs(0);
    prompt.clear();
  }
  void TearDown() override {
    AppFixture::TearDown();
    if (drive) drive->stop();
    TextTable::active().useBuiltin();
  }
  int writes() const {
    return drive->count(sim::RequestKind::WindowWrite) + drive->count(sim::RequestKind::DirectWrite) +
           drive->count(sim::RequestKind::MultiWrite);
  }

  std::unique_ptr<sim::VirtualDrive> drive;
};

TEST_F(PlanningView, ContactPlanningReadsShowsAndWritesBack) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  whenModal<planning::ContactPlanningDialog>([](planning::ContactPlanningDialog* d) {
    d->grid()->press(planning::PlanningGrid::cellId(Side::In, 2, 0x13));  // DI-3 to PHOLD
    d->control<QRadioButton>(planning::kIdcOutputsPage)->click();
    d->grid()->press(planning::PlanningGrid::cellId(Side::Out, 1, 5));  // DO-2 to INP
    d->grid()->press(planning::PlanningGrid::cellId(Side::Out, 1, 5));  // at level 0
    d->press(kIdOk);
  });
  EXPECT_TRUE(frame()->runCommand(cmd::kDiDoPlanning));
  EXPECT_EQ(*drive->storedParameter("Hn603"), 0x113);
  EXPECT_EQ(*drive->storedParameter("Hn614"), 0x006);
  EXPECT_EQ(*drive->liveParameter("Hn603"), 0x103) << "applied at the next power-on";
  ASSERT_FALSE(prompt.texts().empty());
  EXPECT_EQ(prompt.texts().back(), "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)");
  EXPECT_EQ(view()->document().contactCopy[2], 0x113);

  // Cancel writes nothing.
  const int before = writes();
  whenModal<planning::ContactPlanningDialog>([](planning::ContactPlanningDialog* d) {
    d->grid()->press(planning::PlanningGrid::cellId(Side::In, 0, 0x14));
    d->press(kIdCancel);
  });
  frame()->runCommand(cmd::kDiDoPlanning);
  EXPECT_EQ(writes(), before);
  EXPECT_EQ(*drive->storedParameter("Hn601"), 0x101);

  // With the JOG window up the command does nothing at all.
  view()->toolWindows().jog = true;
  const int requests = drive->requestCount();
  frame()->runCommand(cmd::kDiDoPlanning);
  EXPECT_EQ(drive->requestCount(), requests);
  view()->toolWindows().jog = false;
}

TEST_F(PlanningView, PositionProgrammingTellsTheRestartOnlyWhenDue) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  const auto edit = [](const char* speed, bool relative) {
    whenModal<planning::PositionProgramTabsDialog>([speed, relative](planning::PositionProgramTabsDialog* d) {
      d->page(0)->control<planning::RangedEdit>(planning::kIdcFirstSpeed)->setText(QString::fromLatin1(speed));
      if (relative) d->control<QRadioButton>(planning::kIdcRelative)->click();
      saveScreenshot(d, "position-program-view");
      d->press(kIdOk);
    });
  };
  edit("1200", false);
  EXPECT_TRUE(frame()->runCommand(cmd::kPositionProgramming));
  EXPECT_EQ(*drive->storedParameter("Pn403"), 1200);
  ASSERT_FALSE(prompt.texts().empty());
  EXPECT_EQ(prompt.texts().back(), "Write successfully!!");

  edit("7000", true);
  frame()->runCommand(cmd::kPositionProgramming);
  EXPECT_EQ(*drive->storedParameter("Pn403"), 6000) << "clamped to twice the rated speed";
  EXPECT_EQ(*drive->storedParameter("Pn316"), 1);
  EXPECT_EQ(prompt.texts().back(), "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)");

  const int before = writes();
  whenModal<planning::PositionProgramTabsDialog>([](planning::PositionProgramTabsDialog* d) { d->press(kIdCancel); });
  frame()->runCommand(cmd::kPositionProgramming);
  EXPECT_EQ(writes(), before) << "Cancel writes nothing";
}

TEST_F(PlanningView, NothingWithoutALink) {
  ASSERT_TRUE(start(options()));  // the connect dialog is cancelled
  prompt.clear();
  EXPECT_TRUE(frame()->runCommand(cmd::kDiDoPlanning));
  EXPECT_TRUE(frame()->runCommand(cmd::kPositionProgramming));
  EXPECT_TRUE(prompt.shown().empty());
}

}  // namespace
}  // namespace zavo::test
