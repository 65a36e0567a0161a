// The planning dialogs on the offscreen platform, driven through their control ids: the grid's
// cells and images, the conflict check on OK, the swallowed Escape; the position dialogs'
// reverting edits, their OK clamps and the over-range refusal.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "planning/ui/ContactPlanningDialog.h"
#include "planning/ui/PlanningGrid.h"
#include "planning/ui/PlanningIds.h"
#include "planning/ui/PositionProgramDialog.h"
#include "planning/ui/PositionProgramTabsDialog.h"
#include "planning/ui/RangedEdit.h"
#include "resources/TextTable.h"
#include "tests/editor/UiHelpers.h"
#include "tests/planning/FactoryGroup.h"
#include "tests/support/RecordingPrompt.h"
#include "tests/ui/QtApp.h"

namespace zavo::planning {
namespace {


void typeInto(QWidget* w, const QString& keys) {
  for (const QChar c : keys) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

int imageOf(QToolButton* b) { return b->property("imageId").toInt(); }

class PlanningDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qtApp();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
  }
  void TearDown() override { TextTable::active().useBuiltin(); }
  test::RecordingPrompt prompt;
};

TEST_F(PlanningDialogs, ContactGridCellsClicksAndTheCheckOnOk) {
  auto group = factoryGroup(2);
  group[12] = 0;  // DO-1 holds no function
  ContactPlanningDialog d(DioPlan(2, group));
  d.show();
  PlanningGrid* g = d.grid();
  const int son = PlanningGrid::cellId(Side::In, 1, 0x01);  // DI-2, SON
  ASSERT_EQ(son, 1168 + 37 + 1);
  EXPECT_EQ(imageOf(g->cell(Side::In, 0, 0x01)), kIdbCellLevel1) << "DI-1 SON as read";
  EXPECT_TRUE(g->cell(Side::In, 0, 0x01)->isChecked());
  EXPECT_EQ(imageOf(g->cell(Side::In, 1, 0x02)), kIdbCellLevel1) << "DI-2 ALRS as read";

  // DI-2 to SON at level 0 clashes with DI-1's SON at level 1: the note, and the dialog stays.
  g->press(son);
  g->press(son);
  EXPECT_EQ(imageOf(g->cell(Side::In, 1, 0x01)), kIdbCellLevel0);
  EXPECT_FALSE(g->cell(Side::In, 1, 0x01)->isChecked());
  EXPECT_EQ(imageOf(g->cell(Side::In, 1, 0x02)), kIdbCellEmpty) << "the column's old cell cleared";
  d.press(kIdOk);
  ASSERT_EQ(prompt.shown().size(), 1u);
  EXPECT_EQ(prompt.shown()[0].title, "Set Input Contact Signal");
  EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Exclamation);
  EXPECT_TRUE(d.isVisible());
  test::saveScreenshot(&d, "contact-planning-inputs");

  // Escape does not close it.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&d, &escape);
  EXPECT_TRUE(d.isVisible());

  // The outputs' page: the unknown output marked, its cells empty.
  d.control<QRadioButton>(kIdcOutputsPage)->click();
  EXPECT_EQ(g->side(), Side::Out);
  EXPECT_TRUE(g->cell(Side::Out, 0, 0)->isVisible());
  EXPECT_FALSE(g->cell(Side::In, 0, 0)->isVisible());
  EXPECT_EQ(imageOf(g->cell(Side::Out, 0, 0)), kIdbCellEmpty);
  const auto* head = g->findChild<QLabel*>(QStringLiteral("out-parameter-0"));
  ASSERT_TRUE(head);
  EXPECT_EQ(head->text(), "Hn613 ?");
  EXPECT_EQ(head->toolTip(), "0000") << "the value read";
  test::saveScreenshot(&d, "contact-planning-outputs");

  // A third click wraps to level 1: no clash, OK closes.
  g->press(son);
  d.press(kIdOk);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.plan().values()[1], 0x101);
  EXPECT_EQ(d.plan().values()[12], 0) << "the unknown output goes back as read";
}

TEST_F(PlanningDialogs, OlderTypesGridRevertsOutOfRangeTypingAndOkClamps) {
  PositionTable t;
  t.mode = 0x10;
  t.paths.resize(16);
  t.paths[0] = {12, -34, 500};
  PositionProgramDialog d(t, PositionRanges::of(0, 3000));
  d.show();
  EXPECT_TRUE(d.control<QRadioButton>(kIdcAbsolute)->isChecked());
  EXPECT_TRUE(d.control<QRadioButton>(kIdcCurrentSelection)->isChecked());
  auto* rotation = d.control<RangedEdit>(kIdcFirstRotation);
  ASSERT_TRUE(rotation);
  EXPECT_EQ(rotation->text(), "12");
  EXPECT_EQ(rotation->maxLength(), 6);
  EXPECT_EQ(d.control<RangedEdit>(kIdcFirstSpeed)->maxLength(), 4);
  rotation->clear();
  typeInto(rotation, QStringLiteral("30001"));
  EXPECT_EQ(rotation->text(), "3000") << "the fifth digit left the range";
  typeInto(rotation, QStringLiteral("x"));
  EXPECT_EQ(rotation->text(), "3000");
  test::saveScreenshot(&d, "position-program-16");

  rotation->setText(QStringLiteral("30001"));  // pasted past the check
  d.control<RangedEdit>(kIdcFirstPulse + 15)->setText(QStringLiteral("-40000"));
  d.control<RangedEdit>(kIdcSmoothing)->setText(QStringLiteral("20000"));
  d.control<QRadioButton>(kIdcRelative)->click();
  d.press(kIdOk);
  ASSERT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.table().paths[0], (PositionPath{30000, -34, 500}));
  EXPECT_EQ(d.table().paths[15].pulse, -32767);
  EXPECT_EQ(d.table().smoothing, 10000);
  EXPECT_EQ(d.table().mode, 0x11);
}

TEST_F(PlanningDialogs, TabbedDialogRefusesTheTimeConstantAndPagesClamp) {
  PositionTable t;
  t.mode = 0x1100;
  t.paths.resize(32);
  t.paths[16] = {1, 2, 3};
  PositionProgramTabsDialog d(t, PositionRanges::of(2, 3000));
  d.show();
  EXPECT_EQ(d.tabs()->tabText(0), "Path Planning 1 - 16 ");
  EXPECT_EQ(d.tabs()->tabText(1), "    17 - 32    ");
  auto* speed17 = d.page(1)->control<RangedEdit>(kIdcFirstSpeed);
  ASSERT_TRUE(speed17);
  EXPECT_EQ(speed17->text(), "3");
  EXPECT_EQ(d.page(1)->control<RangedEdit>(kIdcFirstPulse)->maxLength(), 8) << "room for -8388608";
  d.tabs()->setCurrentIndex(1);
  test::saveScreenshot(&d, "position-program-32");

  speed17->setText(QStringLiteral("7000"));
  d.control<RangedEdit>(kIdcSmoothing)->setText(QStringLiteral("10001"));
  d.press(kIdOk);
  ASSERT_EQ(prompt.texts().size(), 1u);
  EXPECT_EQ(prompt.texts()[0],
            "Internal / External Position Command One time Smoothing Acceleration / Deceleration Time Constant Over "
            "Range!!\n\n");
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_TRUE(d.isVisible());

  d.control<RangedEdit>(kIdcSmoothing)->setText(QStringLiteral("10000"));
  d.control<QRadioButton>(kIdcRelative)->click();
  d.press(kIdOk);
  ASSERT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.table().paths[16].speed, 6000) << "twice the rated speed";
  EXPECT_EQ(d.table().smoothing, 10000);
  EXPECT_EQ(d.table().mode, 0x1101) << "digits 2 and 3 kept";
}

}  // namespace
}  // namespace zavo::planning
