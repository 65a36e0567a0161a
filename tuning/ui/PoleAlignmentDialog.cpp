#include "tuning/ui/PoleAlignmentDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "link/LinkState.h"
#include "platform/Prompt.h"
#include "tuning/LinearMotor.h"
#include "tuning/RangeCheck.h"
#include "tuning/RegisterAccess.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {

PoleAlignmentDialog::PoleAlignmentDialog(DriveOperations& ops, QWidget* parent)
    : ResourceDialog(kPoleAlignmentDialog, "Power Pole Alignment", parent), ops_(ops), timer_(kPoleTimer, this) {
  auto* grid = new QGridLayout(this);
  onNow_ = addControl(kPoleOnCurrent, new QLineEdit(this));
  onEdit_ = addControl(kPoleOnEdit, new QLineEdit(this));
  currentNow_ = addControl(kPoleCurrentNow, new QLineEdit(this));
  currentEdit_ = addControl(kPoleCurrentEdit, new QLineEdit(this));
  onNow_->setReadOnly(true);
  currentNow_->setReadOnly(true);
  auto* onWrite = addButton(kPoleOnWrite, "Write");
  auto* currentWrite = addButton(kPoleCurrentWrite, "Write");
  connect(onWrite, &QPushButton::clicked, this, [this] { write(false); });
  connect(currentWrite, &QPushButton::clicked, this, [this] { write(true); });
  grid->addWidget(staticText("OnF39 Pole alignment at power-on (0-1)"), 0, 0);
  grid->addWidget(onNow_, 0, 1);
  grid->addWidget(onEdit_, 0, 2);
  grid->addWidget(onWrite, 0, 3);
  grid->addWidget(staticText("OnF44 Alignment current (0-16384)"), 1, 0);
  grid->addWidget(currentNow_, 1, 1);
  grid->addWidget(currentEdit_, 1, 2);
  grid->addWidget(currentWrite, 1, 3);
  grid->addWidget(staticText("Status"), 2, 0);
  status_ = addControl(kPoleStatus, new QLabel(QString::fromUtf8(poleStatusText(kPoleIdle).data()), this));
  grid->addWidget(status_, 2, 1);
  grid->addWidget(addButton(kIdCancel, "Close"), 3, 3);
  std::int32_t v = 0;
  if (linkState().isConnected()) {
    if (readRegister(ops_, kPoleAlignOn, v)) onNow_->setText(QString::number(v));
    if (readRegister(ops_, kPoleAlignCurrent, v)) currentNow_->setText(QString::number(v));
  }
  onEdit_->setText(onNow_->text());
  currentEdit_->setText(currentNow_->text());
  connect(&timer_, &QTimer::timeout, this, &PoleAlignmentDialog::tick);
  timer_.start(kPoleMs);
}

void PoleAlignmentDialog::tick() {
  std::int32_t status = 0;
  if (readRegister(ops_, kPoleAlignStatus, status)) status_->setText(QString::fromUtf8(poleStatusText(status).data()));
}

QString PoleAlignmentDialog::statusText() const { return status_->text(); }

void PoleAlignmentDialog::write(bool current) {
  QLineEdit* edit = current ? currentEdit_ : onEdit_;
  bool ok = false;
  const long v = edit->text().toLong(&ok);
  const Range& range = current ? kPoleCurrentRange : kPoleOnRange;
  if (!ok || !range.contains(v) || !linkState().isConnected()) return;
  if (writePlain(ops_, current ? kPoleAlignCurrent : kPoleAlignOn, static_cast<int>(v))) {
    (current ? currentNow_ : onNow_)->setText(QString::number(v));
    return;
  }
  writeError(current ? "OnF44" : "OnF39");
}

void PoleAlignmentDialog::onCancel() {
  timer_.stop();
  ResourceDialog::onCancel();
}

}  // namespace zavo::tuning
