#pragma once
// The two planning commands of the parameter view, each a read from the drive, a modal dialog
// and, on OK, a write back: DI/DO Contact Set Property (32779) and Internal Position Command
// Programming (32780). Both do nothing without a link; Cancel writes nothing.

class QWidget;

namespace zavo {
class CZavoServoDoc;
class DriveOperations;
}  // namespace zavo

namespace zavo::planning {

void contactPlanningCommand(DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent);
void positionProgrammingCommand(DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent);

}  // namespace zavo::planning
