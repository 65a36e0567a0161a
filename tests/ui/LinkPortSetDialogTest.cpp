// Link Port Set (166): what is selected on opening, what OK returns, and the locked form
// while the link is wanted.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "app/ui/LinkPortSetDialog.h"
#include "tests/ui/QtApp.h"

namespace zavo {
namespace {

const std::vector<std::string> kPorts = {"/dev/ttyS0 : Communications Port", "/dev/ttyUSB0 : CP2102 USB to UART",
                                         "/dev/ttyACM0 : CDC Servo Drive(using)", kSimulatorEntry};

TEST(LinkPortSetDialogTest, InitialSelection) {
  test::qtApp();
  struct Case {
    const char* name;
    std::vector<std::string> entries;
    std::optional<int> remembered;
    bool preferSimulator;
    int selected;
  };
  const Case cases[] = {
      {"no memory: the first entry", kPorts, std::nullopt, false, 0},
      {"remembered entry", kPorts, 1, false, 1},
      {"remembered entry gone: nothing", kPorts, -1, false, -1},
      {"--virtual-drive wins over memory", kPorts, 1, true, 3},
      {"no real port: the virtual drive", {"TCPIP", kSimulatorEntry}, std::nullopt, false, 1},
      {"no real port, memory gone: the virtual drive", {kSimulatorEntry}, -1, false, 0},
      {"empty list", {}, std::nullopt, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkPortRequest r;
    r.entries = c.entries;
    r.remembered = c.remembered;
    r.preferSimulator = c.preferSimulator;
    LinkPortSetDialog d(r);
    EXPECT_EQ(d.control<QComboBox>(kIdcPortCombo)->currentIndex(), c.selected);
  }
}

TEST(LinkPortSetDialogTest, OkReturnsPortAndBaudAndCancelNothing) {
  test::qtApp();
  LinkPortRequest r;
  r.entries = kPorts;
  r.baudIndex = 4;
  LinkPortSetDialog d(r);
  auto* bauds = d.control<QComboBox>(kIdcBaudCombo);
  ASSERT_EQ(bauds->count(), 6);
  EXPECT_EQ(bauds->itemText(0), "4800");
  EXPECT_EQ(bauds->itemText(5), "115200");
  EXPECT_EQ(bauds->currentIndex(), 4);
  EXPECT_EQ(d.windowTitle(), "Link Port Set");
  d.control<QComboBox>(kIdcPortCombo)->setCurrentIndex(2);
  bauds->setCurrentIndex(2);
  d.press(kIdOk);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.choice().portIndex, 2);
  EXPECT_EQ(d.choice().portEntry, "/dev/ttyACM0 : CDC Servo Drive(using)");
  EXPECT_EQ(d.choice().baudIndex, 2);

  LinkPortSetDialog cancelled(r);
  cancelled.press(kIdCancel);
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST(LinkPortSetDialogTest, WhileLinkedOnlyADisconnectCanBeConfirmed) {
  test::qtApp();
  for (bool linked : {false, true}) {
    SCOPED_TRACE(linked);
    LinkPortRequest r;
    r.entries = kPorts;
    r.linkWanted = linked;
    LinkPortSetDialog d(r);
    EXPECT_EQ(d.control<QComboBox>(kIdcPortCombo)->isEnabled(), !linked);
    EXPECT_EQ(d.control<QComboBox>(kIdcBaudCombo)->isEnabled(), !linked);
    EXPECT_EQ(d.control<QPushButton>(kIdOk)->text(), linked ? "Disconnect" : "Connect");
    EXPECT_TRUE(d.control<QPushButton>(kIdOk)->isEnabled());
  }
}

}  // namespace
}  // namespace zavo
