// The Parameter Set window against the virtual drive: the list it fills, Edit through the
// value editor, the buttons with the drive, the Compare dialog and the timer's read offer.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <memory>
#include <optional>

#include "editors/ui/DigitEditorDialog.h"
#include "editors/ui/ValueEditorDialog.h"
#include "link/LinkState.h"
#include "params/catalogue/ValueConversion.h"
#include "params/ui/CompareDialog.h"
#include "params/ui/ParameterList.h"
#include "params/ui/ParameterSetDialog.h"
#include "tests/editor/EditorFixture.h"
#include "tests/editor/UiHelpers.h"
#include "tests/link/DriveFixture.h"
#include "tests/ui/QtApp.h"

namespace zavo::test {
namespace {

using DG = DisplayGroup;

class ParameterSetDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApp();
    saved_ = driveContext();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
  }
  void TearDown() override {
    dialog.reset();
    drive.reset();
    driveContext() = saved_;
  }

  void open(int type, const DisplaySelection& s, bool linked = true) {
    dialog.reset();
    sim::SimOptions o;
    o.driveType = type;
    drive.emplace(o);
    if (linked) drive->link();
    drive->ops.setPauseMs(0);
    doc = std::make_unique<CZavoServoDoc>();
    doc->OnNewDocument();
    doc->setModifiedFlag(false);
    selection = s;
    dialog = std::make_unique<ParameterSetDialog>(*doc, drive->ops, selection);
    // The tests tick it themselves.
    dialog->timer().stop();
  }

  ParameterList* list() const { return dialog->list(); }
  QTreeWidgetItem* item(const char* code) const {
    const auto found = list()->findItems(QString::fromLatin1(code), Qt::MatchExactly, ParameterList::kNoteColumn);
    return found.isEmpty() ? nullptr : found.front();
  }
  QString cell(const char* code, int column) const {
    QTreeWidgetItem* i = item(code);
    return i ? i->text(column) : QStringLiteral("<not listed>");
  }
  bool checked(const char* code) const { return item(code) && item(code)->checkState(0) == Qt::Checked; }
  void check(std::initializer_list<const char*> codes) {
    for (int r = 0; r < list()->topLevelItemCount(); ++r) list()->topLevelItem(r)->setCheckState(0, Qt::Unchecked);
    for (const char* code : codes) item(code)->setCheckState(0, Qt::Checked);
  }
  std::int32_t valueOf(const char* code) const {
    ParamGroup g{};
    int slot = 0;
    EXPECT_TRUE(catalogue::slotOf(code, g, slot));
    return doc->value(g, slot);
  }
  // Edits `code` through the value editor, typing each text and pressing OK in turn.
  void edit(const char* code, std::vector<QString> texts) {
    list()->selectRow(dialog->model().rowOf(code));
    whenModal<ValueEditorDialog>([texts](ValueEditorDialog* d) {
      for (const QString& t : texts) {
        d->entry()->setText(t);
        d->press(kIdOk);
      }
      if (d->isVisible()) d->press(kIdCancel);
    });
    dialog->press(kIdcSetEdit);
  }
  std::vector<PromptRequest> shown() const { return drive->prompt.shown(); }

  std::optional<DriveFixture> drive;
  std::unique_ptr<CZavoServoDoc> doc;
  DisplaySelection selection;
  std::unique_ptr<ParameterSetDialog> dialog;

 private:
  DriveContext saved_;
};

TEST_F(ParameterSetDialogTest, ListsEveryParameterOfTheSelectionWithItsColumns) {
  open(2, groupSelection({DG::All, DG::Cn, DG::Tn, DG::qn, DG::Sn, DG::Pn, DG::Hn, DG::Cia402, DG::tn, DG::ECA}));
  EXPECT_EQ(dialog->windowTitle(), "Parameter Set");
  EXPECT_EQ(list()->topLevelItemCount(), static_cast<int>(catalogue::parameters(2).size()));
  EXPECT_EQ(list()->headerItem()->text(0), "Note");
  EXPECT_EQ(list()->headerItem()->text(5), "Default");
  EXPECT_EQ(cell("Cn003", 1), "Mechanical Brake Signal Output Delay Time");
  EXPECT_EQ(cell("Cn003", ParameterList::kUnitColumn), "ms");
  EXPECT_EQ(cell("Cn003", ParameterList::kRangeColumn), "-2000~2000");
  EXPECT_EQ(cell("Cn002", ParameterList::kValueColumn), "0000");
  EXPECT_EQ(cell("ECA05", ParameterList::kDefaultColumn), "30");
  QTreeWidgetItem* brake = item("Cn003");
  ASSERT_NE(brake, nullptr);
  EXPECT_EQ(brake->foreground(ParameterList::kValueColumn).color(), QColor(Qt::blue));
  EXPECT_TRUE(brake->font(ParameterList::kValueColumn).bold());
  EXPECT_EQ(brake->foreground(ParameterList::kDefaultColumn).color(), QColor(Qt::red));
  EXPECT_TRUE(brake->font(ParameterList::kDefaultColumn).bold());
  EXPECT_FALSE(brake->font(ParameterList::kUnitColumn).bold());
  EXPECT_EQ(brake->checkState(0), Qt::Unchecked);
  EXPECT_EQ(dialog->control<QLabel>(kIdcDisplayDescription)->text(),
            "All Parameter+Tuning Parameter+ECAM Parameter");
  EXPECT_EQ(dialog->timer().id(), 1115);
  dialog->resize(1100, 700);
  dialog->show();
  list()->selectRow(dialog->model().rowOf("Cn005"));
  saveScreenshot(dialog.get(), QStringLiteral("parameter-set-type2"));

  open(3, groupSelection({DG::All}));
  EXPECT_EQ(item("Cn094"), nullptr);
  EXPECT_NE(item("Cn001"), nullptr);
  open(2, groupSelection({DG::All}));
  EXPECT_NE(item("Cn094"), nullptr);
}

TEST_F(ParameterSetDialogTest, AnotherDriveTypeRefillsTheListOnTheNextTick) {
  open(2, groupSelection({DG::Cn}), false);
  ASSERT_NE(item("Cn094"), nullptr);
  driveContext().driveType = 3;
  doc->rebuildForDriveType();
  dialog->timerTick();
  EXPECT_EQ(item("Cn094"), nullptr);
  EXPECT_EQ(dialog->model().driveType(), 3);
}

TEST_F(ParameterSetDialogTest, TheTimerRunsEvery400Ms) {
  open(2, groupSelection({DG::Cn}));
  ParameterSetDialog fresh(*doc, drive->ops, selection);
  EXPECT_TRUE(fresh.timer().isActive());
  EXPECT_EQ(fresh.timer().interval(), 400);
  EXPECT_EQ(fresh.timer().id(), 1115);
}

TEST_F(ParameterSetDialogTest, EditChangesTheValueThroughTheValueEditor) {
  open(2, customSelection({"Cn003", "Cn026", "Pn310", "Sn211", "Sn212", "qn501"}));
  dialog->press(kIdcSetEdit);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "No parameter is selected!");
  EXPECT_EQ(shown()[0].title, "Parameter Set");
  EXPECT_EQ(shown()[0].icon, PromptIcon::Exclamation);

  drive->prompt.clear();
  edit("Cn003", {QStringLiteral("12a"), QStringLiteral("2500"), QStringLiteral("-150")});
  ASSERT_EQ(shown().size(), 2u) << "text that is no number is answered as a value out of range";
  for (const auto& box : shown()) EXPECT_EQ(box.text, "Out of range!");
  EXPECT_EQ(cell("Cn003", ParameterList::kValueColumn), "-150");
  EXPECT_TRUE(checked("Cn003"));
  EXPECT_EQ(valueOf("Cn003"), -150);
  EXPECT_TRUE(doc->isModified());

  // Cn026 has its rigidity list.
  list()->selectRow(dialog->model().rowOf("Cn026"));
  whenModal<DigitEditorDialog>([](DigitEditorDialog* d) {
    QComboBox* levels = d->list(kIdcDigitListFirst);
    levels->setCurrentIndex(levels->findText(QStringLiteral("3")));
    Q_EMIT levels->activated(levels->currentIndex());
    d->press(kIdOk);
  });
  dialog->press(kIdcSetEdit);
  EXPECT_EQ(cell("Pn310", ParameterList::kValueColumn), "30");
  EXPECT_EQ(cell("Sn211", ParameterList::kValueColumn), "30");
  EXPECT_EQ(cell("qn501", ParameterList::kValueColumn), "30");
  EXPECT_EQ(cell("Sn212", ParameterList::kValueColumn), "150");
  for (const char* code : {"Cn026", "Pn310", "Sn211", "Sn212"}) EXPECT_TRUE(checked(code)) << code;
  EXPECT_FALSE(checked("qn501")) << "the quick name shows the value; its own row is not written twice";
  dialog->show();
  saveScreenshot(dialog.get(), QStringLiteral("parameter-set-edited"));

  // Cancel and an unchanged OK leave the row as it was.
  dialog->model().setAllChecked(false);
  list()->updateChecks(dialog->model());
  edit("Cn003", {});
  edit("Cn003", {QStringLiteral("-150")});
  EXPECT_FALSE(checked("Cn003"));
}

TEST_F(ParameterSetDialogTest, WriteThenReadThroughTheButtons) {
  open(2, customSelection({"Cn003", "Sn211", "qn501", "Pn302"}));
  auto& m = dialog->model();
  m.store(m.rowOf("Cn003"), -150);
  m.store(m.rowOf("Sn211"), 123);
  m.store(m.rowOf("Pn302"), 100000);
  list()->showRows(m);
  check({"Cn003", "Sn211", "Pn302"});
  dialog->press(kIdcSetWrite);
  EXPECT_TRUE(shown().empty()) << shown().front().text;
  for (const auto& [code, value] : {std::pair{"Cn003", -150}, std::pair{"Sn211", 123}, std::pair{"Pn302", 100000}}) {
    ASSERT_EQ(drive->ops.readParameter(code), 1);
    EXPECT_EQ(drive->ops.lastValue(), value) << code;
  }
  EXPECT_FALSE(dialog->progress().window()->isVisible()) << "the progress window goes";
  EXPECT_EQ(dialog->control<QLabel>(kIdcSetStatusOutcome)->text(), "Write: 3 parameters");

  m.store(m.rowOf("Cn003"), 1);
  m.store(m.rowOf("Sn211"), 2);
  list()->showRows(m);
  check({"Cn003", "Sn211"});
  dialog->press(kIdcSetRead);
  EXPECT_EQ(cell("Cn003", ParameterList::kValueColumn), "-150");
  EXPECT_EQ(cell("Sn211", ParameterList::kValueColumn), "123");
  EXPECT_EQ(cell("qn501", ParameterList::kValueColumn), "123");
  EXPECT_EQ(valueOf("Sn211"), 123);
  EXPECT_TRUE(shown().empty());
}

TEST_F(ParameterSetDialogTest, AnUnwrittenEditStaysMarkedAndCheckedAcrossEveryRefill) {
  open(2, groupSelection({DG::Cn}));
  edit("Cn010", {QStringLiteral("250")});
  const auto marked = [this](const char* code) {
    const int r = dialog->model().rowOf(code);
    return r >= 0 && dialog->model().row(r).modified && checked(code);
  };
  const auto counts = [this] { return dialog->control<QLabel>(kIdcSetStatusCount)->text(); };
  ASSERT_TRUE(marked("Cn010"));
  // Another selection (without the row, then with it again), and the same one refilled.
  for (const DisplaySelection& s : {groupSelection({DG::Tn}), groupSelection({DG::Cn, DG::Sn}), groupSelection({DG::Cn})}) {
    selection = s;
    dialog->refill();
  }
  EXPECT_TRUE(marked("Cn010"));
  EXPECT_TRUE(counts().endsWith(QStringLiteral(", 1 checked"))) << counts().toStdString();

  dialog->press(kIdcSetWrite);
  EXPECT_EQ(drive->drive.storedParameter("Cn010"), conversion::toRaw("Cn010", 250)) << "the Write took the edit";
  dialog->refill();
  EXPECT_FALSE(marked("Cn010")) << "written: nothing pending any more";
  EXPECT_TRUE(counts().endsWith(QStringLiteral(", 0 checked"))) << counts().toStdString();
}

// A full list of the M7, each value at the wider of its limits: no cell is cut short (the value
// column also fits every limit), measured with the fonts the cells are drawn in.
TEST_F(ParameterSetDialogTest, AFullListIsReadableInEveryColumn) {
  DisplaySelection all;
  all.mode = DisplayMode::SelectGroups;
  all.groups.fill(true);
  open(2, all);
  dialog->press(kIdcSetAll);
  dialog->press(kIdcSetRead);
  ASSERT_TRUE(shown().empty()) << shown().front().text;
  dialog->show();
  saveScreenshot(dialog.get(), QStringLiteral("parameter-set-read"));
  auto& m = dialog->model();
  ASSERT_GT(m.size(), 300);
  for (int r = 0; r < m.size(); ++r) {
    const std::string& code = m.row(r).entry.code;
    const bool lowIsWider = catalogue::valueText(code, m.minimum(r), true).size() >
                            catalogue::valueText(code, m.maximum(r), true).size();
    m.store(r, lowIsWider ? m.minimum(r) : m.maximum(r));
  }
  list()->showRows(m);
  EXPECT_EQ(dialog->windowType(), Qt::Tool) << "it stays above the main window";

  QStyleOptionViewItem option;
  option.initFrom(list());
  int cut = 0;
  for (int r = 0; r < m.size(); ++r)
    for (int column : {ParameterList::kNoteColumn, ParameterList::kValueColumn, ParameterList::kUnitColumn,
                       ParameterList::kRangeColumn, ParameterList::kDefaultColumn}) {
      const int needed = list()->itemDelegate()->sizeHint(option, list()->model()->index(r, column)).width();
      if (needed > list()->columnWidth(column)) {
        ++cut;
        ADD_FAILURE() << m.row(r).entry.code << " column " << column << ": " << needed << " > "
                      << list()->columnWidth(column);
      }
    }
  EXPECT_EQ(cut, 0);
  dialog->show();
  saveScreenshot(dialog.get(), QStringLiteral("parameter-set-widest"));
}

TEST_F(ParameterSetDialogTest, CompareShowsTheRowsThatDiffer) {
  open(2, customSelection({"Cn003", "Sn212", "Pn310", "qn502", "Cn001", "ECA05"}));
  dialog->press(kIdcSetAll);
  ASSERT_TRUE(dialog->control<QCheckBox>(kIdcSetAll)->isChecked());
  dialog->press(kIdcSetRead);
  ASSERT_TRUE(drive->drive.setParameter("Sn212", conversion::toRaw("Sn212", 77)));
  ASSERT_TRUE(drive->drive.setParameter("Pn310", conversion::toRaw("Pn310", 99)));
  std::vector<std::vector<QString>> rows;
  whenModal<CompareDialog>([&rows](CompareDialog* d) {
    QTableWidget* t = d->list();
    EXPECT_EQ(d->windowTitle(), "Compare");
    EXPECT_EQ(t->horizontalHeaderItem(2)->text(), "Edit value");
    EXPECT_EQ(t->horizontalHeaderItem(3)->text(), "Read value");
    for (int r = 0; r < t->rowCount(); ++r)
      rows.push_back({t->item(r, 0)->text(), t->item(r, 2)->text(), t->item(r, 3)->text()});
    d->resize(640, 260);
    saveScreenshot(d, QStringLiteral("compare"));
    d->press(kIdCancel);
  });
  dialog->press(kIdcSetCompare);
  const std::vector<std::vector<QString>> expected{{"Sn212", "100", "77"}, {"Pn310", "40", "99"}, {"qn502", "100", "77"}};
  EXPECT_EQ(rows, expected);
  EXPECT_TRUE(shown().empty());

  // Once read again nothing differs, and the user is told so instead.
  dialog->press(kIdcSetRead);
  dialog->press(kIdcSetCompare);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "Parameter compare finished!");
}

TEST_F(ParameterSetDialogTest, ARefillAskedForDuringAReadWaitsForItsEnd) {
  open(2, customSelection({"Cn003", "Cn010", "Sn201"}));
  ASSERT_TRUE(drive->drive.setParameter("Sn201", conversion::toRaw("Sn201", 321)));
  dialog->press(kIdcSetAll);
  // Comes in while the progress window lets events through between parameters.
  QTimer::singleShot(0, dialog.get(), [this] {
    EXPECT_TRUE(dialog->busy());
    selection = customSelection({"Cn001"});
    dialog->refill();
    EXPECT_EQ(list()->topLevelItemCount(), 3) << "the rows being read stay until the read ends";
  });
  dialog->press(kIdcSetRead);
  EXPECT_EQ(valueOf("Sn201"), 321) << "the read went through all its rows";
  ASSERT_EQ(list()->topLevelItemCount(), 1);
  EXPECT_EQ(list()->topLevelItem(0)->text(0), "Cn001");
  EXPECT_TRUE(shown().empty());
}

TEST_F(ParameterSetDialogTest, AllChecksAndClearsEveryRow) {
  open(2, groupSelection({DG::Tn}));
  dialog->press(kIdcSetAll);
  for (int r = 0; r < list()->topLevelItemCount(); ++r) EXPECT_EQ(list()->topLevelItem(r)->checkState(0), Qt::Checked);
  EXPECT_EQ(dialog->model().checkedRows().size(), static_cast<std::size_t>(list()->topLevelItemCount()));
  dialog->press(kIdcSetAll);
  EXPECT_TRUE(dialog->model().checkedRows().empty());
  item("Tn101")->setCheckState(0, Qt::Checked);
  EXPECT_EQ(dialog->model().checkedRows(), std::vector<int>{dialog->model().rowOf("Tn101")}) << "the list tells the model";
}

TEST_F(ParameterSetDialogTest, DefaultWithoutCheckedRowsAsksNothing) {
  open(2, customSelection({"ECA04", "ECA05"}));
  dialog->press(kIdcSetDefault);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "No parameter is selected!");
  auto& m = dialog->model();
  m.store(m.rowOf("ECA04"), 3);
  m.store(m.rowOf("ECA05"), 3);
  list()->showRows(m);
  check({"ECA05"});
  dialog->press(kIdcSetDefault);  // the recording prompt answers OK
  EXPECT_EQ(cell("ECA05", ParameterList::kValueColumn), "30");
  EXPECT_EQ(cell("ECA04", ParameterList::kValueColumn), "3");
}

TEST_F(ParameterSetDialogTest, ChangeAdoptsTheEditedSelection) {
  open(2, groupSelection({DG::Cn}));
  EXPECT_FALSE(dialog->control<QPushButton>(kIdcDisplayChange)->isEnabled()) << "no Display Set to open";
  bool accept = false;
  dialog->setSelectionEditor([&accept](DisplaySelection& s, QWidget*) {
    s = customSelection({"Pn310", "Cn001"});
    return accept;
  });
  dialog->press(kIdcDisplayChange);
  EXPECT_EQ(selection.mode, DisplayMode::SelectGroups) << "Cancel keeps the selection";
  EXPECT_NE(item("Cn005"), nullptr);
  accept = true;
  dialog->press(kIdcDisplayChange);
  EXPECT_EQ(selection.mode, DisplayMode::Custom);
  ASSERT_EQ(list()->topLevelItemCount(), 2);
  EXPECT_EQ(list()->topLevelItem(0)->text(0), "Pn310");
  EXPECT_EQ(dialog->control<QLabel>(kIdcDisplayDescription)->text(), "Defined Parameter");
}

TEST_F(ParameterSetDialogTest, TheFirstLinkedTickOffersToReadTheDrive) {
  open(2, customSelection({"Cn003", "Cn007"}), false);
  ASSERT_TRUE(drive->drive.setParameter("Cn003", conversion::toRaw("Cn003", -77)));
  dialog->timerTick();
  EXPECT_TRUE(shown().empty()) << "no link, no question";
  drive->link();
  dialog->timerTick();  // answered Yes
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "Do you want to read parameters of servo?");
  EXPECT_EQ(cell("Cn003", ParameterList::kValueColumn), "-77");
  dialog->timerTick();
  EXPECT_EQ(shown().size(), 1u) << "asked once per link";

  // The ranges follow the motor data while linked.
  driveContext().ratedSpeed = 2000;
  dialog->timerTick();
  EXPECT_EQ(cell("Cn007", ParameterList::kRangeColumn), "0~8000");

  // After the link was down the offer comes again; a changed document may be kept first.
  linkState().connected = 0;
  dialog->timerTick();
  linkState().connected = 1;
  doc->setModifiedFlag(true);
  drive->prompt.script(PromptAnswer::Yes);
  drive->prompt.script(PromptAnswer::Cancel);
  ASSERT_TRUE(drive->drive.setParameter("Cn003", conversion::toRaw("Cn003", -88)));
  dialog->timerTick();
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[2].text, "Parameter is changed, do you want to save it?");
  EXPECT_EQ(cell("Cn003", ParameterList::kValueColumn), "-77") << "Cancel abandons the read";
}

}  // namespace
}  // namespace zavo::test
