#include "editors/FieldTexts.h"

#include "editors/ParameterSetTexts.h"
#include "editors/TableText.h"
#include "link/OperationTexts.h"
#include "resources/StringIds.h"

namespace zavo::fieldtext {
namespace {

std::string textOr(unsigned id, const char* english) { return tableTextOr(id, english); }

}  // namespace

std::string overRange() { return textOr(ids::kOverRange, kOverRangeFallback); }
std::string errorMessageTitle() { return settext::errorMessageTitle(); }
std::string onlineEditFailed() { return textOr(ids::kOnlineEditFailed, kOnlineEditFailedFallback); }
std::string communicateError() { return optext::communicateError(); }
std::string communicationTitle() { return optext::communicationTitle(); }

std::string clearNoteQuestion(const std::string& code) {
  return withCode(textOr(ids::kClearNoteQuestion, "Are you sure of clearing parameter note %s?"), code);
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

std::string camItem(unsigned id, const char* english) { return textOr(id, english); }

}  // namespace zavo::fieldtext
