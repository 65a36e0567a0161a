#include "launcher/SelectDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/CurFile.h"
#include "launcher/LaunchTable.h"
#include "platform/Prompt.h"
#include "platform/qt/UiText.h"

namespace zavo {
namespace {

struct Radio {
  int id;
  const char* text;
};
const Radio kRadios[] = {{1000, "M7"},     {1001, "M7-R"}, {1002, "M7Q"},    {1003, "M7Q-R"},
                         {1004, "N5"},     {1005, "W3"},   {1006, "M7Q-RL"}, {kIdcLastRadio, "PDXAP&&PDXAS"}};
// The only entry for which a failed hand-over is worth a word.
constexpr int kReportedIndex = 1;
constexpr int kIddLauncherAbout = 100;

}  // namespace

SelectDialog::SelectDialog(LauncherPaths paths, QWidget* parent)
    : ResourceDialog(kIddSelect, "Select", parent), paths_(std::move(paths)),
      types_(addControl(kIdcTypeCombo, new QComboBox(this))) {
  if (!paths_.start) paths_.start = [](const QString& program) { return QProcess::startDetached(program, {}); };
  setWindowIcon(QApplication::windowIcon());

  QGroupBox* family = groupBox("M7/M7Q");
  auto* familyLayout = new QGridLayout(family);
  auto* picture = new QLabel(family);
  const QIcon icon = QApplication::windowIcon().isNull() ? QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon)
                                                        : QApplication::windowIcon();
  picture->setPixmap(icon.pixmap(48, 48));
  familyLayout->addWidget(picture, 0, 0, 4, 1, Qt::AlignCenter);
  auto* group = new QButtonGroup(this);
  int i = 0;
  for (const Radio& r : kRadios) {
    auto* b = addControl(r.id, new QRadioButton(family), r.text);
    group->addButton(b, i);
    familyLayout->addWidget(b, i % 4, 1 + i / 4);
    ++i;
  }
  group->button(kInitialRadio)->setChecked(true);

  for (const LaunchEntry& e : launchTable()) types_->addItem(QString::fromLatin1(e.text));
  types_->setCurrentIndex(0);
  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(staticText("Type select"));
  typeRow->addWidget(types_, 1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));
  buttons->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addWidget(family);
  left->addLayout(typeRow);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
}

int SelectDialog::radioIndex() const {
  int i = 0;
  for (const Radio& r : kRadios) {
    if (auto* b = control<QRadioButton>(r.id); b && b->isChecked()) return i;
    ++i;
  }
  return -1;
}

void SelectDialog::onOk() {
  const int index = types_->currentIndex();
  if (index < 0 || index >= kLaunchEntryCount) return;
  const LaunchEntry& entry = launchTable()[static_cast<std::size_t>(index)];
  const std::string handOver = CurFile::pathIn(paths_.tempDir.toStdString());
  if (!CurFile::write(handOver, entry.code) && index == kReportedIndex)
    showMessage("authority is not enough and open file failed!");
  paths_.start(QString::fromStdString(programPathFor(paths_.installDir.toStdString(), index)));
  ResourceDialog::onOk();
}

void SelectDialog::contextMenuEvent(QContextMenuEvent* e) {
  // The classic place of "About" is the window's system menu, which this desktop does not
  // let a program extend; the dialog's own context menu stands in for it.
  const QString about = uiText(kIdsAboutItem, "&About Client...");
  if (about.isEmpty()) return;
  QMenu menu(this);
  menu.addAction(about, this, &SelectDialog::showAbout);
  menu.exec(e->globalPos());
}

void SelectDialog::showAbout() {
  QMessageBox box(QMessageBox::Information, dialogText(kIddLauncherAbout, 0, "About Client"),
                  QStringLiteral("Client\nDrive type selection for ZavoServo"), QMessageBox::Ok, this);
  box.exec();
}

}  // namespace zavo
