#include "planning/PlanningTexts.h"

#include "link/OperationTexts.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::planning::texts {
namespace {

std::string textOr(unsigned id, const char* english) {
  std::string t = text(id);
  return t.empty() ? std::string(english) : t;
}

// Descriptions exist for DI codes 01-1F and DO codes 01-0E; the later functions have their
// short name alone.
constexpr int kLastDescribedDi = 0x1F;
constexpr int kLastDescribedDo = 0x0E;
constexpr const char* kDiLevelLow = "0: Low Active (active when shorted to the 24V input common).\n";
constexpr const char* kDiLevelHigh = "1: High Active.\n";
constexpr const char* kDoLevelLow = "0: Close, when the output is activated.\n";
constexpr const char* kDoLevelHigh = "1: Open, when the output is activated.\n";
constexpr const char* kSecondPathsTab = "    17 - 32    ";
constexpr const char* kFirstPathsSuffix = " 1 - 16 ";

}  // namespace

std::string setInputContactSignal() { return textOr(ids::kSetInputContactSignal, "Set Input Contact Signal"); }
std::string setOutputContactSignal() { return textOr(ids::kSetOutputContactSignal, "Set Output Contact Signal"); }
std::string diConflict() {
  return textOr(ids::kDiConflict, "[Note: Pin function can be same, but active level must be same?]");
}
std::string doConflict() { return textOr(ids::kDoConflict, "[Note: Pin function can not be same.]"); }

std::string cellTip(Side side, int code) {
  std::string tip;
  if (side == Side::In && code >= 1 && code <= kLastDescribedDi)
    tip = text(ids::kDiDescriptionFirst + static_cast<unsigned>(code - 1));
  else if (side == Side::Out && code >= 1 && code <= kLastDescribedDo)
    tip = text(ids::kDoDescriptionFirst + static_cast<unsigned>(code - 1));
  if (tip.empty()) tip = functionName(side, code);
  if (tip.empty() || tip.back() != '\n') tip += '\n';
  if (side == Side::In) return tip + textOr(ids::kDiLevelLow, kDiLevelLow) + kDiLevelHigh;
  return tip + kDoLevelLow + kDoLevelHigh;
}

std::string smoothingOverRange() {
  return textOr(ids::kSmoothingTimeConstant,
                "Internal / External Position Command One time Smoothing Acceleration / Deceleration Time "
                "Constant") +
         " " + textOr(ids::kOverRange, "Over Range!!\n\n");
}

std::string firstPathsTab() { return textOr(ids::kPathPlanning, "Path Planning") + kFirstPathsSuffix; }
std::string secondPathsTab() { return kSecondPathsTab; }

std::string positionWritten(bool restart) {
  return optext::writeSuccess() + (restart ? "\n\n" + optext::restartServo() : std::string());
}

}  // namespace zavo::planning::texts
