#pragma once
// The planning grid (resource 223): a page of cells per side, terminals across and functions
// down, made inside the DI/DO dialog at its placeholder. A click on a cell goes to the plan's
// click rule and the column is drawn again from the plan.

#include "planning/DioPlan.h"
#include "platform/qt/ResourceDialog.h"

class QToolButton;

namespace zavo::planning {

class PlanningGrid final : public ResourceDialog {
  Q_OBJECT
 public:
  PlanningGrid(DioPlan& plan, QWidget* parent);

  static int cellId(Side side, int terminal, int row);
  QToolButton* cell(Side side, int terminal, int row) const;
  // Shows the inputs' or the outputs' page.
  void showSide(Side side);
  Side side() const { return side_; }

 private:
  QWidget* buildPage(Side side);
  void clicked(Side side, int terminal, int row);
  void drawColumn(Side side, int terminal);

  DioPlan& plan_;
  QWidget* pages_[2] = {};
  Side side_ = Side::In;
};

}  // namespace zavo::planning
