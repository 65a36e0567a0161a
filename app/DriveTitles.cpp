#include "app/DriveTitles.h"

namespace zavo {
namespace {

// Types 3 and 4 (and anything unexpected) share the last entry.
int slotOf(int driveType) { return (driveType >= 0 && driveType <= 2) ? driveType : 3; }

constexpr const char* kTitles[4] = {"ZavoServo(M7Q) V1.218", "ZavoServo(M7Q-R) V1.218", "ZavoServo(M7-R) V1.218",
                                    "ZavoServo(N5) V1.218"};

}  // namespace

TextRef titleText(int driveType) {
  const int s = slotOf(driveType);
  return {kIdsTitleType0 + s, kTitles[s]};
}

TextRef helpNameText(int driveType) { return {kIdsHelpNameType0 + slotOf(driveType), "SERVO"}; }

Brand brandOf(const std::string& appTitle) {
  if (appTitle == "CorvinaServo") return Brand::Corvina;
  if (appTitle == "PelmarServo") return Brand::Pelmar;
  return Brand::Zavo;
}

}  // namespace zavo
