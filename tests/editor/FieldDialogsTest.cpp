// The windows of the online editor, the digit editors and the pages, driven by control id on
// the offscreen platform against the virtual drive.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>
#include <optional>

#include "editors/ui/CamPageDialog.h"
#include "editors/ui/DigitEditorDialog.h"
#include "editors/ui/FullClosedLoopDialog.h"
#include "editors/ui/NotchFilterDialog.h"
#include "editors/ui/OnlineParameterDialog.h"
#include "editors/ui/OnlineSetDialog.h"
#include "params/catalogue/Catalogue.h"
#include "tests/editor/FieldFixture.h"
#include "tests/editor/UiHelpers.h"
#include "tests/ui/QtApp.h"

namespace zavo::test {
namespace {

QString labelText(const ResourceDialog& d, int id) { return d.control<QLabel>(id)->text(); }

// Types `text` into `edit` key by key, as a person would.
void typeKeys(QLineEdit* edit, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
  }
}

class FieldDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApp();
    saved_ = driveContext();
  }
  void TearDown() override {
    drive.reset();
    driveContext() = saved_;
  }
  FieldDrive& start(int type = 2, bool linked = true) {
    drive.emplace(driveOf(type), linked);
    return *drive;
  }

  std::optional<FieldDrive> drive;

 private:
  DriveContext saved_;
};

TEST_F(FieldDialogsTest, OnlineParameterStepsEachSlotByItsButtonsAndKeepsTheSlotSet) {
  FieldDrive& f = start();
  onlineSlotSet() = {"Sn211", "Pn301", "Pn302", "", "", "", "", ""};
  OnlineParameterDialog d(f.ops, f.doc);
  EXPECT_EQ(d.windowTitle(), "Online Parameter");
  EXPECT_EQ(labelText(d, kIdcSlotCode), "Sn211");
  EXPECT_EQ(labelText(d, slotControl(1, kIdcSlotCode)), "Pn301");
  EXPECT_EQ(labelText(d, kIdcSlotUnit), "Hz");
  EXPECT_EQ(labelText(d, kIdcSlotRange), "10~4500");
  // One display per kind: normal, hexadecimal, wide.
  const struct {
    int slot, shown;
  } displays[] = {{0, kIdcSlotValue}, {1, kIdcSlotValueHex}, {2, kIdcSlotValueWide}};
  for (const auto& s : displays)
    for (int id : {kIdcSlotValue, kIdcSlotValueHex, kIdcSlotValueWide})
      EXPECT_EQ(d.control<QLabel>(slotControl(s.slot, id))->isVisibleTo(&d), id == s.shown) << s.slot << " " << id;
  EXPECT_FALSE(d.control<QPushButton>(kIdcSlotWideUp[0])->isVisibleTo(&d)) << "no wide steps on a normal slot";
  EXPECT_TRUE(d.control<QPushButton>(slotControl(2, kIdcSlotWideUp[0]))->isVisibleTo(&d));

  d.press(kIdcSlotUp[4]);  // slot 1, step 1
  d.press(slotControl(1, kIdcSlotUp[3]));  // slot 2, digit 0x10
  EXPECT_EQ(labelText(d, kIdcSlotValue), "41");
  EXPECT_EQ(labelText(d, slotControl(1, kIdcSlotValueHex)), "0010");
  EXPECT_EQ(*f.drive.storedParameter("Sn211") & 0xFFFF, 41);
  saveScreenshot(&d, QStringLiteral("online-parameter"));

  // Set: Clear 2 asks, then the slots are rebuilt from what Set returns.
  whenModal<OnlineSetDialog>([](OnlineSetDialog* set) {
    EXPECT_EQ(set->list()->topLevelItem(1)->text(0), "Pn301");
    EXPECT_FALSE(set->control<QPushButton>(kIdcSlotClear[3])->isEnabled()) << "slot 4 is free";
    saveScreenshot(set, QStringLiteral("online-set"));
    set->press(kIdcSlotClear[1]);
    EXPECT_EQ(set->list()->topLevelItem(1)->text(0), "");
    set->press(kIdOk);
  });
  d.press(kIdcOnlineSet);
  ASSERT_FALSE(f.prompt.texts().empty());
  EXPECT_EQ(f.prompt.texts().back(), "Are you sure of clearing parameter note Pn301?");
  EXPECT_EQ(onlineSlotSet()[1], "");
  EXPECT_EQ(labelText(d, slotControl(1, kIdcSlotCode)), "");

  const std::string onp = (std::filesystem::temp_directory_path() / ("slots-" + std::to_string(::getpid()) + ".onp")).string();
  d.saveTo(onp);
  onlineSlotSet() = {};
  d.loadFrom(onp);
  std::filesystem::remove(onp);
  EXPECT_EQ(onlineSlotSet()[2], "Pn302");
  EXPECT_EQ(labelText(d, slotControl(2, kIdcSlotCode)), "Pn302");
}

TEST_F(FieldDialogsTest, OnlineParameterClosesWhenAStepFindsNoLink) {
  FieldDrive& f = start(2, false);
  onlineSlotSet() = {"Sn211", "", "", "", "", "", "", ""};
  OnlineParameterDialog d(f.ops, f.doc);
  d.show();
  EXPECT_EQ(labelText(d, kIdcSlotValue), "") << "nothing read without a link";
  d.press(kIdcSlotUp[4]);
  EXPECT_EQ(f.lastText(), "Communicate Error!");
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Rejected);
}

ValueEditorRequest requestOf(const char* code, std::int32_t value) {
  catalogue::Limits lim;
  EXPECT_TRUE(catalogue::limitsOf(code, lim)) << code;
  ValueEditorRequest r;
  r.subject = {code, lim.min, lim.max, driveContext().driveType};
  r.title = catalogue::titleOf(code);
  r.value = value;
  return r;
}

void choose(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  Q_EMIT list->activated(index);
}

TEST_F(FieldDialogsTest, DigitEditorsComposeTheValueAndOkChecksIt) {
  FieldDrive& f = start();
  const auto request = requestOf("Cn002", 0);
  DigitEditorDialog cn002(*digitLayoutOf("Cn002", 2, request.subject.min, request.subject.max), request);
  EXPECT_EQ(cn002.resourceId(), 131);
  EXPECT_EQ(labelText(cn002, kIdcEditRange), "Range  (0000-1011)");
  choose(cn002.list(kIdcDigitListFirst + 2), 1);
  EXPECT_EQ(cn002.control<QLineEdit>(kIdcEditHex)->text(), "0100");
  EXPECT_TRUE(cn002.control<QLineEdit>(kIdcEditHex)->isReadOnly());
  cn002.press(kIdOk);
  EXPECT_EQ(cn002.result(), QDialog::Accepted);
  EXPECT_EQ(cn002.value(), 0x100);

  const auto baud = requestOf("Cn037", 0x105);
  DigitEditorDialog cn037(*digitLayoutOf("Cn037", 2, baud.subject.min, baud.subject.max), baud);
  EXPECT_FALSE(cn037.list(kIdcDigitListFirst + 3)->isEnabled()) << "a digit Cn037 does not use";
  choose(cn037.list(kIdcDigitListFirst + 1), 3);
  cn037.show();
  cn037.press(kIdOk);
  EXPECT_EQ(f.lastText(), "Out of range!");
  EXPECT_TRUE(cn037.isVisible()) << "stays open for another choice";
  saveScreenshot(&cn037, QStringLiteral("digit-editor-cn037"));

  const auto di = requestOf("Hn601", 0x101);
  DigitEditorDialog function(*digitLayoutOf("Hn601", 2, di.subject.min, di.subject.max), di);
  EXPECT_EQ(function.list(kIdcDigitListFirst)->currentText(), "01: SON");
  saveScreenshot(&function, QStringLiteral("digit-editor-di-function"));
  const auto rigidity = requestOf("Cn026", 9);
  DigitEditorDialog levels(*digitLayoutOf("Cn026", 2, rigidity.subject.min, rigidity.subject.max), rigidity);
  choose(levels.list(kIdcDigitListFirst), 2);
  EXPECT_EQ(labelText(levels, kIdcRigidityLoopGain), "30");
  EXPECT_EQ(labelText(levels, kIdcRigidityIntegral), "150");
  saveScreenshot(&levels, QStringLiteral("digit-editor-rigidity"));
}

TEST_F(FieldDialogsTest, CamPageRefusesEntriesOutOfRangeAndWritesOnlyWithALink) {
  FieldDrive& f = start(2, false);
  CamPageDialog flying(CamKind::Flying, f.ops, f.doc);
  EXPECT_EQ(flying.resourceId(), 192);
  EXPECT_FALSE(flying.control<QPushButton>(kIdcCamWrite)->isEnabled());
  EXPECT_FALSE(flying.control<QLineEdit>(1131)->isEnabled());
  EXPECT_EQ(flying.control<QLineEdit>(1131)->text(), "1");
  QLineEdit* angle = flying.control<QLineEdit>(1136);  // ECA05
  EXPECT_EQ(angle->text(), "30");
  angle->setCursorPosition(2);
  typeKeys(angle, QStringLiteral("1"));  // "301"
  EXPECT_EQ(angle->text(), "30");
  EXPECT_EQ(angle->cursorPosition(), 2);
  angle->selectAll();
  typeKeys(angle, QStringLiteral("121"));  // "1", "12", then "121" refused
  EXPECT_EQ(angle->text(), "12");
  flying.press(kIdOk);
  ParamGroup g{};
  int n = 0;
  ASSERT_TRUE(catalogue::slotOf("ECA05", g, n));
  EXPECT_EQ(f.doc.value(g, n), 12);
  EXPECT_EQ(f.drive.requestCount(), 0);

  drive.reset();
  FieldDrive& linked = start();
  CamPageDialog chase(CamKind::Chase, linked.ops, linked.doc);
  EXPECT_TRUE(chase.control<QPushButton>(kIdcCamWrite)->isEnabled());
  QComboBox* mechanism = chase.control<QComboBox>(1429);
  ASSERT_EQ(mechanism->count(), 2);
  EXPECT_EQ(mechanism->itemText(1), "Linear (screw-driven) slave axis");
  choose(mechanism, 1);
  chase.press(kIdcCamWrite);
  EXPECT_EQ(linked.lastText(), "Write successfully!!");
  EXPECT_EQ(*linked.drive.storedParameter("ECA02") & 0xF, 1);
  saveScreenshot(&chase, QStringLiteral("chase-shear"));
}

TEST_F(FieldDialogsTest, FullClosedLoopShowsThePresentValuesEverySecond) {
  FieldDrive& f = start();
  f.drive.setParameter("Pn348", 4096);
  FullClosedLoopDialog d(f.ops);
  EXPECT_EQ(labelText(d, 6041), "4096");
  EXPECT_EQ(d.control<QLineEdit>(6046)->text(), "4096");
  EXPECT_TRUE(d.timer().isActive());
  EXPECT_EQ(d.timer().id(), 1);
  EXPECT_EQ(d.timer().interval(), 1000);
  f.drive.setParameter("Pn348", 8192);
  d.timerTick();
  EXPECT_EQ(labelText(d, 6041), "8192");
  EXPECT_EQ(d.control<QLineEdit>(6046)->text(), "4096") << "the value to set stays as typed";
  d.press(6048);  // Pn346.1 untouched: written as the drive holds it
  EXPECT_EQ(f.lastText(), "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)");
  saveScreenshot(&d, QStringLiteral("full-closed-loop"));

  drive.reset();
  FieldDrive& offline = start(2, false);
  FullClosedLoopDialog unlinked(offline.ops);
  EXPECT_FALSE(unlinked.timer().isActive());
  EXPECT_EQ(labelText(unlinked, 6038), "");
}

TEST_F(FieldDialogsTest, NotchFilterPageWritesAndClosesAfterItsCheck) {
  FieldDrive& f = start();
  NotchFilterDialog d(f.ops, f.doc, 1500);
  EXPECT_EQ(d.windowTitle(), "Resonance Notch Filter Set");
  EXPECT_EQ(d.frequency()->text(), "1000");
  EXPECT_EQ(d.frequency()->maxLength(), 4);
  EXPECT_EQ(d.quality()->text(), "7");
  saveScreenshot(&d, QStringLiteral("notch-filter"));
  d.show();
  d.quality()->setText(QStringLiteral("101"));
  d.press(kIdOk);
  EXPECT_EQ(f.lastText(), "Filter quality factor is out of range!");
  EXPECT_TRUE(d.isVisible());
  d.quality()->setText(QStringLiteral("30"));
  d.press(kIdOk);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(*f.drive.liveParameter("Cn014") & 0xFFFF, 30);
}

}  // namespace
}  // namespace zavo::test
