#pragma once
// The last step of both planning commands, shared by the program and zavoctl: what the user
// settled goes into the document and from there to the drive.

#include <cstdint>
#include <vector>

#include "link/PlanningTransfer.h"
#include "params/document/ZavoServoDoc.h"
#include "planning/DioPlan.h"
#include "planning/PositionTable.h"

namespace zavo::planning {

// The contact group as the document holds it after a read, in the order of its names.
std::vector<std::int32_t> contactGroup(const CZavoServoDoc& doc, int driveType);
// The plan's values into the document's contact block, then the group written (the transfer
// announces success and the restart). 1 on success.
int writeContactPlan(PlanningTransfer& transfer, CZavoServoDoc& doc, const DioPlan& plan);

// The edited table into the document, then written; success is announced here, with the
// restart notice when the mode or the time constant differ from `before`. 1 on success.
int writePositionTable(PlanningTransfer& transfer, CZavoServoDoc& doc, int driveType, const PositionTable& before,
                       const PositionTable& after);

}  // namespace zavo::planning
