#include "planning/ui/PlanningCommands.h"

#include <memory>

#include "link/LinkState.h"
#include "link/PlanningTransfer.h"
#include "params/catalogue/DriveContext.h"
#include "planning/PlanningWrites.h"
#include "planning/ui/ContactPlanningDialog.h"
#include "planning/ui/PositionProgramDialog.h"
#include "planning/ui/PositionProgramTabsDialog.h"
#include "platform/qt/QtProgress.h"

namespace zavo::planning {
namespace {
constexpr int kOlderType = 2;
}  // namespace

void contactPlanningCommand(DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent) {
  if (!linkState().isConnected()) return;
  const int type = driveContext().driveType;
  QtProgress progress(parent);
  PlanningTransfer transfer(ops, progress);
  if (transfer.readDiDo(doc) != 1) return;
  ContactPlanningDialog dialog(DioPlan(type, contactGroup(doc, type)), parent);
  if (dialog.exec() != QDialog::Accepted) return;
  writeContactPlan(transfer, doc, dialog.plan());
}

void positionProgrammingCommand(DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent) {
  if (!linkState().isConnected()) return;
  const int type = driveContext().driveType;
  QtProgress progress(parent);
  PlanningTransfer transfer(ops, progress);
  if (transfer.readPosition(doc) != 1) return;
  const PositionTable before = PositionTable::fromDocument(doc, type);
  const auto ranges = PositionRanges::of(type, driveContext().ratedSpeed);
  std::unique_ptr<PositionDialogBase> dialog;
  if (type < kOlderType)
    dialog = std::make_unique<PositionProgramDialog>(before, ranges, parent);
  else
    dialog = std::make_unique<PositionProgramTabsDialog>(before, ranges, parent);
  if (dialog->exec() != QDialog::Accepted) return;
  writePositionTable(transfer, doc, type, before, dialog->table());
}

}  // namespace zavo::planning
