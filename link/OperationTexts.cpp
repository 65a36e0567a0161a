#include "link/OperationTexts.h"

#include "resources/TextTable.h"

namespace zavo::optext {
namespace {
std::string textOr(unsigned id, const char* english) {
  std::string t = text(id);
  return t.empty() ? std::string(english) : t;
}
}  // namespace

std::string error() { return textOr(kErrorId, "Error"); }
std::string writeSuccess() { return textOr(kWriteSuccessId, "Write successfully!!"); }
std::string writeDataTitle() { return textOr(kWriteDataTitleId, "Write data"); }
std::string restartServo() { return textOr(kRestartServoId, "Restart servo!!\n(Power off, then power on.)"); }

std::string communicationTitle() { return textOr(kCommunicationTitleId, kCommunicationTitle); }
std::string communicateError() { return textOr(kCommunicateErrorId, "Communicate Error!"); }
std::string linkLost(const std::string& what) { return communicateError() + "\n\n" + what + " !!"; }

}  // namespace zavo::optext
