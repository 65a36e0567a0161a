#include "editors/FieldTexts.h"

#include "link/OperationTexts.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::fieldtext {
namespace {

std::string textOr(unsigned id, const char* english) {
  std::string t = text(id);
  return t.empty() ? std::string(english) : t;
}

constexpr std::string_view kCodePlaceholder = "%s";

}  // namespace

std::string overRange() { return textOr(ids::kOverRange, kOverRangeFallback); }
std::string errorMessageTitle() { return textOr(ids::kErrorMessage, "Error Message"); }
std::string onlineEditFailed() { return textOr(ids::kOnlineEditFailed, kOnlineEditFailedFallback); }
std::string communicateError() { return optext::communicateError(); }
std::string communicationTitle() { return optext::communicationTitle(); }

std::string clearNoteQuestion(const std::string& code) {
  // The code goes in as text, never as a format.
  std::string t = textOr(ids::kClearNoteQuestion, "Are you sure of clearing parameter note %s?");
  const auto at = t.find(kCodePlaceholder);
  return at == std::string::npos ? t : t.replace(at, kCodePlaceholder.size(), code);
}
std::string clearMessageTitle() { return textOr(ids::kClearMessage, "Clear Message"); }

std::string writeSuccess() { return optext::writeSuccess(); }
std::string writeDataTitle() { return optext::writeDataTitle(); }
std::string restartServo() { return optext::restartServo(); }
std::string tuningFinishedTitle() { return textOr(ids::kTuningFinished, "Tuning finished"); }
std::string error() { return optext::error(); }
std::string filterFrequencyOutOfRange() {
  return textOr(ids::kFilterFrequencyOutOfRange, "Filter frequency is out of range!");
}
std::string filterQualityOutOfRange() {
  return textOr(ids::kFilterQualityOutOfRange, "Filter quality factor is out of range!");
}
std::string writeError(const std::string& code) { return code + " write error!"; }

std::string camItem(unsigned id) { return text(id); }

}  // namespace zavo::fieldtext
