#include "planning/ui/PositionProgramTabsDialog.h"

#include <QGridLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "planning/PlanningTexts.h"
#include "planning/ui/PlanningIds.h"
#include "planning/ui/RangedEdit.h"
#include "platform/Prompt.h"

namespace zavo::planning {

PathPage::PathPage(int resourceId, int first, const PositionRanges& ranges, QWidget* parent)
    : ResourceDialog(resourceId, "", parent) {
  setWindowFlags(Qt::Widget);
  auto* grid = new QGridLayout(this);
  rows_ = std::make_unique<PathRows>(ranges, first, this, grid, [this](int id, QWidget* edit) { addControl(id, edit); });
}

PathPage::~PathPage() = default;

PositionProgramTabsDialog::PositionProgramTabsDialog(const PositionTable& table, const PositionRanges& ranges,
                                                     QWidget* parent)
    : PositionDialogBase(kIddPositionProgram32, table, ranges, parent), tabs_(new QTabWidget(this)) {
  addControl(kIdcPathTabs, tabs_);
  pages_[0] = new PathPage(kIddFirstPathsPage, 0, ranges_, tabs_);
  pages_[1] = new PathPage(kIddSecondPathsPage, kPathsPerPage, ranges_, tabs_);
  tabs_->addTab(pages_[0], QString::fromStdString(texts::firstPathsTab()));
  tabs_->addTab(pages_[1], QString::fromStdString(texts::secondPathsTab()));
  for (PathPage* p : pages_) p->load(table_);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { page(index)->setFocus(); });
  body()->addWidget(tabs_);
}

void PositionProgramTabsDialog::onOk() {
  if (!ranges_.smoothing.holds(smoothing_->value())) {
    prompt().ask({texts::smoothingOverRange(), windowTitle().toStdString(), PromptIcon::Exclamation, PromptButtons::Ok});
    smoothing_->setFocus();
    smoothing_->selectAll();
    return;
  }
  storeMode();
  table_.smoothing = static_cast<std::int32_t>(smoothing_->value());
  for (PathPage* p : pages_) p->acceptInto(table_);
  PositionDialogBase::onOk();
}

}  // namespace zavo::planning
