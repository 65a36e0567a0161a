#include "planning/PlanningWrites.h"

#include "link/OperationTexts.h"
#include "planning/PlanningTexts.h"
#include "platform/Prompt.h"

namespace zavo::planning {

std::vector<std::int32_t> contactGroup(const CZavoServoDoc& doc, int driveType) {
  const auto& hn = doc.images[ParamGroup::Hn];
  std::vector<std::int32_t> values;
  const std::size_t count = DioLayout::of(driveType).names().size();
  for (std::size_t n = 1; n <= count; ++n) values.push_back(n < hn.value.size() ? hn.value[n] : 0);
  return values;
}

int writeContactPlan(PlanningTransfer& transfer, CZavoServoDoc& doc, const DioPlan& plan) {
  const auto values = plan.values();
  auto& hn = doc.images[ParamGroup::Hn];
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i + 1 < hn.value.size()) hn.value[i + 1] = values[i];
    if (i < doc.contactCopy.size()) doc.contactCopy[i] = values[i];
  }
  return transfer.writeDiDo(doc);
}

int writePositionTable(PlanningTransfer& transfer, CZavoServoDoc& doc, int driveType, const PositionTable& before,
                       const PositionTable& after) {
  after.toDocument(doc, driveType);
  if (transfer.writePosition(doc) != 1) return 0;
  prompt().ask({texts::positionWritten(restartNeeded(before, after)), optext::writeDataTitle(),
                PromptIcon::Exclamation, PromptButtons::Ok});
  return 1;
}

}  // namespace zavo::planning
