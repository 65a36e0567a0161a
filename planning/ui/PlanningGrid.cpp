#include "planning/ui/PlanningGrid.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "planning/PlanningTexts.h"
#include "planning/ui/CellImages.h"
#include "planning/ui/PlanningIds.h"

namespace zavo::planning {
namespace {

constexpr int kHeaderRows = 2;  // terminal label, parameter name
constexpr const char* kUnknownMark = "?";

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString headName(Side side, int terminal) {
  return QStringLiteral("%1-parameter-%2").arg(side == Side::In ? QStringLiteral("in") : QStringLiteral("out")).arg(terminal);
}

}  // namespace

PlanningGrid::PlanningGrid(DioPlan& plan, QWidget* parent)
    : ResourceDialog(kIddPlanningGrid, "", parent), plan_(plan) {
  setWindowFlags(Qt::Widget);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (const Side side : {Side::In, Side::Out}) {
    QWidget* page = buildPage(side);
    pages_[side == Side::In ? 0 : 1] = page;
    layout->addWidget(page);
  }
  layout->addStretch(1);
  showSide(Side::In);
}

int PlanningGrid::cellId(Side side, int terminal, int row) {
  return (side == Side::In ? kIdcFirstInputCell : kIdcFirstOutputCell) + terminal * kCellIdsPerColumn + row;
}

QToolButton* PlanningGrid::cell(Side side, int terminal, int row) const {
  return control<QToolButton>(cellId(side, terminal, row));
}

void PlanningGrid::showSide(Side side) {
  side_ = side;
  pages_[0]->setVisible(side == Side::In);
  pages_[1]->setVisible(side == Side::Out);
}

QWidget* PlanningGrid::buildPage(Side side) {
  const DioLayout& l = plan_.layout();
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  grid->setSpacing(0);
  grid->setContentsMargins(0, 0, 0, 0);
  const int width = side == Side::In ? kInputCellWidth : kOutputCellWidth;
  for (int t = 0; t < l.terminals(side); ++t) {
    auto* label = new QLabel(qs(l.terminalLabel(side, t)), page);
    label->setAlignment(Qt::AlignCenter);
    grid->addWidget(label, 0, t + 1);
    auto* name = new QLabel(qs(l.parameter(side, t)), page);
    name->setAlignment(Qt::AlignCenter);
    name->setObjectName(headName(side, t));
    grid->addWidget(name, 1, t + 1);
  }
  for (int row = 0; row < DioLayout::rows(side); ++row) {
    auto* label = new QLabel(qs(l.rowLabel(side, row)), page);
    label->setToolTip(qs(texts::cellTip(side, DioLayout::codeOfRow(side, row))));
    grid->addWidget(label, row + kHeaderRows, 0);
    for (int t = 0; t < l.terminals(side); ++t) {
      auto* b = addControl(cellId(side, t, row), new QToolButton(page));
      b->setFixedSize(width, kCellHeight);
      b->setCheckable(true);
      b->setAutoRaise(false);
      b->setEnabled(l.offers(side, row));
      b->setToolTip(label->toolTip());
      connect(b, &QToolButton::clicked, this, [this, side, t, row] { clicked(side, t, row); });
      grid->addWidget(b, row + kHeaderRows, t + 1);
    }
  }
  grid->setColumnStretch(l.terminals(side) + 1, 1);
  for (int t = 0; t < l.terminals(side); ++t) drawColumn(side, t);
  return page;
}

void PlanningGrid::clicked(Side side, int terminal, int row) {
  plan_.click(side, terminal, row);
  drawColumn(side, terminal);
}

void PlanningGrid::drawColumn(Side side, int terminal) {
  const DioColumn& c = plan_.column(side, terminal);
  for (int row = 0; row < DioLayout::rows(side); ++row) {
    QToolButton* b = cell(side, terminal, row);
    const int state = c.known && c.row == row ? c.state : 0;
    b->setIcon(cellImage(state));
    b->setChecked(state == 1);
    b->setProperty("imageId", cellImageId(state));
  }
  // A value that names no cell is shown as unknown above its column, the value in its tip.
  if (auto* label = findChild<QLabel*>(headName(side, terminal))) {
    const QString parameter = qs(plan_.layout().parameter(side, terminal));
    label->setText(c.known ? parameter : parameter + QLatin1Char(' ') + QLatin1String(kUnknownMark));
    label->setToolTip(c.known ? QString() : QStringLiteral("%1").arg(c.read & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper());
  }
}

}  // namespace zavo::planning
