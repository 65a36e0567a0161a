#include "editors/ParameterSetTexts.h"

#include "editors/TableText.h"
#include "resources/StringIds.h"

namespace zavo::settext {
namespace {

std::string textOr(unsigned id, const char* english) { return tableTextOr(id, english); }

}  // namespace

std::string noParameterSelected() { return textOr(ids::kNoParameterSelected, "No parameter is selected!"); }
std::string errorMessageTitle() { return textOr(ids::kErrorMessage, "Error Message"); }
std::string modelCodeReadOnly() { return textOr(ids::kCn030ReadOnly, "Cn030 Serial Type set, only read available!"); }

std::string readOnlyNotice(const std::string& code) {
  return withCode(textOr(ids::kReadOnlyNotice, "%s is a read-only parameter and can't be written!"), code);
}

std::string resetWithOthers() {
  return textOr(ids::kCn029NotWithOthers, "Cn029 parameter reset, can't be set with other parameters!");
}

std::string writeTitle() { return textOr(ids::kWrite, "Write"); }
std::string writingParameters() { return textOr(ids::kWritingParameters, "Writing parameters..."); }
std::string readTitle() { return textOr(ids::kRead, "Read"); }
std::string readingParameters() { return textOr(ids::kReadingParameters, "Reading parameters..."); }
std::string error() { return textOr(ids::kError, "Error"); }
std::string communicationTitle() { return textOr(ids::kCommunicationMessage, "Communication Message"); }

std::string setDefaultQuestion() {
  return textOr(ids::kSetDefaultQuestion, "Do you want to set the parameters to default value?");
}
std::string setAsDefaultTitle() { return textOr(ids::kSetAsDefault, "Set as default"); }

std::string compareTitle() { return textOr(ids::kCompare, "Compare"); }
std::string compareFinished() { return textOr(ids::kCompareFinished, "Parameter compare finished!"); }

std::string readFromServoQuestion() {
  return textOr(ids::kReadFromServoQuestion, "Do you want to read parameters of servo?");
}
std::string readParameterTitle() { return textOr(ids::kReadParameter, "Read parameter"); }
std::string saveChangedQuestion() {
  return textOr(ids::kSaveChangedQuestion, "Parameter is changed, do you want to save it?");
}
std::string saveFileTitle() { return textOr(ids::kSaveFile, "Save file"); }

std::string outOfRange() { return textOr(ids::kOutOfRange, "Out of range!"); }
std::string overRange(const std::string& code) { return code + " over range!"; }

std::string noteHeader() { return textOr(ids::kNoteHeader, "Note"); }
std::string parameterNameHeader() { return textOr(ids::kParameterNameHeader, "Parameter Name"); }
std::string valueHeader() { return textOr(ids::kValueHeader, "Value"); }
std::string unitHeader() { return textOr(ids::kUnitHeader, "Unit"); }
std::string setRangeHeader() { return textOr(ids::kSetRangeHeader, "Set Range"); }
std::string defaultHeader() { return textOr(ids::kDefaultHeader, "Default"); }
std::string editValueHeader() { return textOr(ids::kEditValueHeader, "Edit value"); }
std::string readValueHeader() { return textOr(ids::kReadValueHeader, "Read value"); }

}  // namespace zavo::settext
