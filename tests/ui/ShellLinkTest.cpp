// The program on a real line to the virtual drive: connect through the dialog, the status
// bar, a lost line, the reconnect, and the removal of the drive's USB interface.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <thread>

#include "app/DeviceEvent.h"
#include "params/ui/ParameterSetDialog.h"
#include "sim/VirtualDrive.h"
#include "tests/ui/AppFixture.h"

namespace zavo::test {
namespace {

class ShellLinkTest : public AppFixture {
 protected:
  void startLinked(sim::SimOptions o = {}) {
    o.linkPath = (root / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    std::string error;
    ASSERT_TRUE(drive->start(&error)) << error;
    entries = {o.linkPath + " : Virtual drive"};
    answer = LinkPortChoice{0, entries[0], 2};
    ASSERT_TRUE(start(options()));
    ASSERT_TRUE(linkState().isConnected()) << (prompt.texts().empty() ? "" : prompt.texts().back());
  }
  void TearDown() override {
    AppFixture::TearDown();
    if (drive) drive->stop();
  }

  std::unique_ptr<sim::VirtualDrive> drive;
};

TEST_F(ShellLinkTest, FirstStartConnectsThroughTheDialogAndTheStatusBarFollows) {
  startLinked();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_FALSE(requests[0].linkWanted);
  EXPECT_EQ(pane(kPaneLink), "Servo Linking");
  EXPECT_TRUE(pane(kPaneVersion).startsWith("Version: A")) << pane(kPaneVersion).toStdString();
  EXPECT_NE(pane(kPaneVersion), "Version: *.**");
  EXPECT_TRUE(pane(kPaneServo).startsWith("Servo Status:Servo "));
  EXPECT_TRUE(pane(kPaneMotorType).startsWith("Motor Type:"));
  EXPECT_NE(pane(kPaneMotorType), "Motor Type:-----------");
  EXPECT_EQ(pane(kPaneMessage), "Message: ");
  EXPECT_FALSE(pane(kPaneAlarm).isEmpty());
  EXPECT_TRUE(prompt.texts().empty());
  EXPECT_TRUE(frame()->commands().action(cmd::kDisconnect)->isEnabled());

  // Connect again: the dialog now confirms a disconnect.
  frame()->runCommand(cmd::kConnect);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(requests[1].linkWanted);
  EXPECT_FALSE(linkState().isConnected());
  EXPECT_EQ(pane(kPaneLink), "Servo unlink");
  EXPECT_EQ(pane(kPaneMessage), "Message: Disconnect");
  EXPECT_EQ(pane(kPaneVersion), "Version: *.**");
}

// Presses OK in the Link Port Set dialog once it is up, noting its OK caption.
void pressOkWhenShown(QString* caption) {
  QTimer::singleShot(10, [caption] {
    auto* d = qobject_cast<LinkPortSetDialog*>(QApplication::activeModalWidget());
    if (!d) return pressOkWhenShown(caption);
    *caption = d->control<QPushButton>(kIdOk)->text();
    d->control<QComboBox>(kIdcPortCombo)->setCurrentIndex(0);
    d->press(kIdOk);
  });
}

TEST_F(ShellLinkTest, TheRealDialogConnectsAndThenOffersTheDisconnect) {
  sim::SimOptions o;
  o.linkPath = (root / "drive").string();
  drive = std::make_unique<sim::VirtualDrive>(o);
  ASSERT_TRUE(drive->start());
  entries = {o.linkPath + " : Virtual drive"};
  StartupOptions options = this->options();
  options.askPort = {};  // the dialog itself
  QString caption;
  pressOkWhenShown(&caption);
  ASSERT_TRUE(start(std::move(options)));
  EXPECT_EQ(caption, "Connect");
  EXPECT_TRUE(linkState().isConnected()) << (prompt.texts().empty() ? "" : prompt.texts().back());
  EXPECT_EQ(pane(kPaneLink), "Servo Linking");

  pressOkWhenShown(&caption);
  frame()->runCommand(cmd::kConnect);
  EXPECT_EQ(caption, "Disconnect");
  EXPECT_FALSE(linkState().isConnected());
}

TEST_F(ShellLinkTest, CancellingTheDialogWhileLinkedChangesNothing) {
  startLinked();
  answer.reset();
  frame()->runCommand(cmd::kConnect);
  EXPECT_TRUE(linkState().isConnected());
  EXPECT_EQ(pane(kPaneLink), "Servo Linking");
}

TEST_F(ShellLinkTest, ALostLineShowsDisconnectAndTheUserReconnects) {
  sim::SimOptions o;
  startLinked(o);
  sim::FaultPlan faults;
  faults.unplugAfter = 3;
  faults.replugMs = 100;
  drive->setFaults(faults);
  prompt.clear();
  // Under the box the bar already says what the box says.
  QString linkPaneUnderTheBox;
  prompt.whileShown([&](const PromptRequest&) { linkPaneUnderTheBox = pane(kPaneLink); });
  for (int i = 0; i < 5 && linkState().isConnected(); ++i) view()->monitorTick();
  prompt.whileShown({});
  EXPECT_FALSE(linkState().isConnected());
  ASSERT_FALSE(prompt.shown().empty());
  EXPECT_EQ(prompt.shown().back().text, "Communicate Error!\n\nDisconnect !!");
  EXPECT_EQ(linkPaneUnderTheBox, "Servo unlink");
  EXPECT_TRUE(prompt.shown().back().topmost);
  EXPECT_EQ(pane(kPaneLink), "Servo unlink");

  // The drive comes back on a new line; only then are its faults cleared, as clearing them
  // first would also call off the replug.
  for (int i = 0; i < 150 && drive->plugCount() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(drive->plugCount(), 2);
  drive->setFaults({});
  prompt.clear();
  frame()->runCommand(cmd::kConnect);
  EXPECT_TRUE(linkState().isConnected()) << (prompt.texts().empty() ? "" : prompt.texts().back());
  EXPECT_EQ(pane(kPaneLink), "Servo Linking");
}

TEST_F(ShellLinkTest, TheLinkGoesWithTheDocumentWindow) {
  startLinked();
  frame()->mdiArea()->subWindowList().first()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(frame()->activeView(), nullptr);
  EXPECT_FALSE(mainPort().IsOpen()) << "nothing would poll it";
  EXPECT_FALSE(linkState().isConnected());
  EXPECT_EQ(pane(kPaneLink), "Servo unlink");
  EXPECT_EQ(pane(kPaneMessage), "Message: Disconnect");

  // A new document offers no read from a drive that is no longer there.
  prompt.clear();
  frame()->runCommand(cmd::kFileNew);
  ASSERT_NE(view(), nullptr);
  ASSERT_NE(view()->parameterEditor(), nullptr);
  view()->parameterEditor()->timerTick();
  EXPECT_TRUE(prompt.texts().empty()) << prompt.texts().front();
}

TEST_F(ShellLinkTest, TheTimerReconnectsEveryTenthTickWhileTheLinkIsWanted) {
  startLinked();
  // A failed exchange elsewhere drops the connected flag; the user still wants the link.
  linkState().connected = 0;
  ASSERT_TRUE(view()->linkFlags().linkWanted);
  view()->linkFlags().reconnectTicks = 0;
  for (int i = 0; i < 9; ++i) view()->monitorTick();
  EXPECT_FALSE(linkState().isConnected()) << "not before the tenth tick";
  view()->monitorTick();
  EXPECT_TRUE(linkState().isConnected());
  EXPECT_EQ(pane(kPaneLink), "Servo Linking");
}

TEST_F(ShellLinkTest, OnlyTheRemovalOfTheDrivesInterfaceTakesTheLinkDown) {
  startLinked();
  prompt.clear();
  frame()->onDeviceEvent({"remove", "usb", "usb_device", "781/5567/100", "0781", "5567", ""});
  EXPECT_TRUE(linkState().isConnected()) << "an unrelated stick";
  EXPECT_TRUE(prompt.texts().empty());
  frame()->onDeviceEvent({"add", "usb", "usb_interface", "1cbe/2/100", "", "", ""});
  EXPECT_TRUE(linkState().isConnected()) << "an arrival";

  frame()->onDeviceEvent({"remove", "usb", "usb_interface", "1cbe/2/100", "", "", ""});
  EXPECT_FALSE(linkState().isConnected());
  EXPECT_FALSE(mainPort().IsOpen());
  EXPECT_FALSE(view()->linkFlags().linkWanted) << "no reconnect to a device that is gone";
  EXPECT_FALSE(view()->linkFlags().portOpen);
  ASSERT_EQ(prompt.shown().size(), 1u);
  EXPECT_EQ(prompt.shown()[0].text, "Communicate Error!\n\nDisconnect !!");
  EXPECT_EQ(prompt.shown()[0].title, "Communication Message");
  EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Stop);
  EXPECT_TRUE(prompt.shown()[0].topmost);
  EXPECT_EQ(pane(kPaneLink), "Servo unlink");
  EXPECT_EQ(pane(kPaneMessage), "Message: Disconnect");
  EXPECT_EQ(pane(kPaneAlarm), "");

  frame()->onDeviceEvent({"remove", "usb", "usb_device", "", "1cbe", "0002", ""});
  EXPECT_EQ(prompt.shown().size(), 1u) << "a second event of the same removal says nothing more";
}

TEST_F(ShellLinkTest, ATrialRunConnectsToTheVirtualDriveProgramWithoutAsking) {
  StartupOptions o = options({QStringLiteral("--virtual-drive")});
  o.simulatorProgram = QStringLiteral(ZAVO_SIM_PROGRAM);
  entries = {"/dev/ttyS0 : Communications Port", kSimulatorEntry};
  ASSERT_TRUE(start(std::move(o)));
  EXPECT_TRUE(requests.empty());
  EXPECT_TRUE(linkState().isConnected()) << (prompt.texts().empty() ? "" : prompt.texts().back());
  EXPECT_EQ(pane(kPaneLink), "Servo Linking");
  std::ifstream comfile(root / "exe" / "comfile.ini");
  std::string remembered;
  std::getline(comfile, remembered);
  EXPECT_EQ(remembered, kSimulatorEntry) << "the entry, not the terminal of this run";

  // Later the dialog offers the virtual drive first, and Disconnect takes the link down.
  answer = LinkPortChoice{1, kSimulatorEntry, 1};
  frame()->runCommand(cmd::kConnect);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].remembered, 1);
  EXPECT_FALSE(linkState().isConnected());
}

TEST_F(ShellLinkTest, PaneWidthsFollowTheScreenWidth) {
  ASSERT_TRUE(start(options()));
  frame()->statusPanes()->applyWidths(1600);
  const int expected[] = {200, 123, 114, 160, 160, 266, 266, 266};
  for (int p = 0; p < kStatusPaneCount; ++p) EXPECT_EQ(frame()->statusPanes()->pane(p)->width(), expected[p]) << p;
}

}  // namespace
}  // namespace zavo::test
