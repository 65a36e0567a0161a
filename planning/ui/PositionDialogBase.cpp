#include "planning/ui/PositionDialogBase.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "planning/ui/PlanningIds.h"
#include "planning/ui/RangedEdit.h"

namespace zavo::planning {

PositionDialogBase::PositionDialogBase(int resourceId, const PositionTable& table, const PositionRanges& ranges,
                                       QWidget* parent)
    : ResourceDialog(resourceId, "Internal Position Command Programming", parent), table_(table), ranges_(ranges),
      smoothing_(new RangedEdit(ranges.smoothing, this)), body_(new QVBoxLayout) {
  auto* mode = groupBox("Mode Set");
  auto* absolute = addControl(kIdcAbsolute, new QRadioButton(mode), "Abasolut Position");
  auto* relative = addControl(kIdcRelative, new QRadioButton(mode), "Relative Position");
  (table.coordinate() == 1 ? relative : absolute)->setChecked(true);
  auto* modeRow = new QHBoxLayout(mode);
  modeRow->addWidget(absolute);
  modeRow->addWidget(relative);
  modeRow->addStretch(1);

  auto* hold = groupBox("Hold (PHOLD) program select");
  auto* fromHold = addControl(kIdcFromPhold, new QRadioButton(hold),
                              "Servomotor will be proceed internal posistion command from PHOLD position");
  auto* current = addControl(kIdcCurrentSelection, new QRadioButton(hold),
                             "Servomotor will operate interal position command of current selection.");
  (table.phold() == 1 ? current : fromHold)->setChecked(true);
  auto* holdColumn = new QVBoxLayout(hold);
  holdColumn->addWidget(fromHold);
  holdColumn->addWidget(current);

  addControl(kIdcSmoothing, smoothing_);
  smoothing_->setValue(table.smoothing);
  auto* smoothingRow = new QHBoxLayout;
  smoothingRow->addWidget(staticText("Position command smooth Acceleration/Deceleration Time Constant"));
  smoothingRow->addWidget(smoothing_->withArrows(this));
  smoothingRow->addWidget(staticText("msec"));
  smoothingRow->addStretch(1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mode);
  layout->addWidget(hold);
  layout->addLayout(body_, 1);
  layout->addLayout(smoothingRow);
  layout->addLayout(buttons);
}

void PositionDialogBase::storeMode() {
  table_.setCoordinate(control<QRadioButton>(kIdcRelative)->isChecked() ? 1 : 0);
  table_.setPhold(control<QRadioButton>(kIdcCurrentSelection)->isChecked() ? 1 : 0);
}

}  // namespace zavo::planning
