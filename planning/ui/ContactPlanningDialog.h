#pragma once
// DI/DO Contact Set Property (resource 183): the inputs' or the outputs' page of the planning
// grid, chosen by two radio buttons. OK checks the assignment and closes only when it holds;
// Escape does nothing, the dialog ends with OK or Cancel alone.

#include "planning/DioPlan.h"
#include "platform/qt/ResourceDialog.h"

namespace zavo::planning {

class PlanningGrid;

class ContactPlanningDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  ContactPlanningDialog(const DioPlan& plan, QWidget* parent = nullptr);

  const DioPlan& plan() const { return plan_; }
  PlanningGrid* grid() const { return grid_; }

  // Escape and the close button are swallowed.
  void reject() override {}

 protected:
  void onOk() override;

 private:
  DioPlan plan_;
  PlanningGrid* grid_;
};

}  // namespace zavo::planning
