#include "tuning/RangeCheck.h"

#include "platform/Prompt.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::tuning {
namespace {
constexpr const char* kRangeWord = "Range:";
}  // namespace

std::string Range::text() const { return std::to_string(min) + "~" + std::to_string(max); }

bool checkRange(long value, const Range& r) {
  if (r.contains(value)) return true;
  prompt().ask({text(ids::kOverRange) + kRangeWord + r.text(), text(ids::kErrorMessage), PromptIcon::Exclamation,
                PromptButtons::Ok});
  return false;
}

std::string overRangeText(const std::string& name) { return name + " over range!"; }
std::string writeErrorText(const std::string& name) { return name + " write error!"; }

void overRange(const std::string& name) {
  prompt().ask({overRangeText(name), text(ids::kErrorMessage), PromptIcon::Exclamation, PromptButtons::Ok});
}

void writeError(const std::string& name) {
  prompt().ask({writeErrorText(name), text(ids::kErrorMessage), PromptIcon::Exclamation, PromptButtons::Ok});
}

}  // namespace zavo::tuning
