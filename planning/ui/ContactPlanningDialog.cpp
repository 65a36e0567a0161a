#include "planning/ui/ContactPlanningDialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "planning/ui/PlanningGrid.h"
#include "planning/ui/PlanningIds.h"
#include "platform/Prompt.h"

namespace zavo::planning {
namespace {
constexpr int kVisibleRows = 22;
constexpr int kHeaderHeight = 60;
constexpr int kMargin = 4;
}  // namespace

ContactPlanningDialog::ContactPlanningDialog(const DioPlan& plan, QWidget* parent)
    : ResourceDialog(kIddContactPlanning, "DI/DO Contact Set Property", parent), plan_(plan) {
  auto* inputs = addControl(kIdcInputsPage, new QRadioButton(this), "Input Contact (DI)");
  auto* outputs = addControl(kIdcOutputsPage, new QRadioButton(this), "Output Contact (DO)");
  inputs->setChecked(true);

  // The grid sits where the placeholder is, scrolled: 37 functions are taller than a screen.
  auto* placeholder = addControl(kIdcGridPlaceholder, new QFrame(this));
  placeholder->setFrameShape(QFrame::StyledPanel);
  auto* scroll = new QScrollArea(placeholder);
  scroll->setFrameShape(QFrame::NoFrame);
  grid_ = new PlanningGrid(plan_, scroll);
  scroll->setWidget(grid_);
  scroll->setWidgetResizable(true);
  auto* holder = new QVBoxLayout(placeholder);
  holder->setContentsMargins(0, 0, 0, 0);
  holder->addWidget(scroll);
  // As wide as the widest page, so that only the functions scroll.
  grid_->showSide(Side::Out);
  const int outputsWidth = grid_->sizeHint().width();
  grid_->showSide(Side::In);
  const int width = std::max(outputsWidth, grid_->sizeHint().width());
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setMinimumSize(width + scrollBar + 2 * scroll->frameWidth() + kMargin, kHeaderHeight + kVisibleRows * kCellHeight);
  connect(inputs, &QRadioButton::toggled, this, [this](bool on) { grid_->showSide(on ? Side::In : Side::Out); });

  auto* pages = new QHBoxLayout;
  pages->addWidget(inputs);
  pages->addWidget(outputs);
  pages->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(pages);
  layout->addWidget(placeholder, 1);
  layout->addLayout(buttons);
}

void ContactPlanningDialog::onOk() {
  if (const auto note = plan_.conflictNote()) {
    prompt().ask({note->text, note->title, PromptIcon::Exclamation, PromptButtons::Ok});
    return;
  }
  ResourceDialog::onOk();
}

}  // namespace zavo::planning
