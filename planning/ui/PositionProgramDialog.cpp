#include "planning/ui/PositionProgramDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "planning/ui/PlanningIds.h"
#include "planning/ui/RangedEdit.h"

namespace zavo::planning {

PositionProgramDialog::PositionProgramDialog(const PositionTable& table, const PositionRanges& ranges, QWidget* parent)
    : PositionDialogBase(kIddPositionProgram16, table, ranges, parent) {
  auto* programming = groupBox("Programming");
  auto* grid = new QGridLayout(programming);
  rows_ = std::make_unique<PathRows>(ranges_, 0, programming, grid,
                                     [this](int id, QWidget* edit) { addControl(id, edit); });
  rows_->load(table_);
  body()->addWidget(programming);
}

PositionProgramDialog::~PositionProgramDialog() = default;

void PositionProgramDialog::onOk() {
  storeMode();
  table_.smoothing = ranges_.smoothing.clamp(smoothing_->value());
  rows_->store(table_);
  PositionDialogBase::onOk();
}

}  // namespace zavo::planning
