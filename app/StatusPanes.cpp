#include "app/StatusPanes.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "app/StatusTexts.h"

namespace zavo {
namespace {

constexpr std::array<const char*, kStatusPaneCount> kIndicators{
    "Servo Status:", "--- control", "Version: ", "Servo unlink", "Type: ", "Motor Type:", "Message: ", "Alarm: "};
constexpr std::array<int, kStatusPaneCount> kWidthDivisors{8, 13, 14, 10, 10, 6, 6, 6};

std::string versionText(int version, int driveType) {
  const bool aSeries = driveType == 0 || driveType == 2 || driveType == 4;
  const int v = std::abs(version);
  char buf[32];
  std::snprintf(buf, sizeof buf, aSeries ? "A%02d.%02d" : "E%02d.%02d", v / 100, v % 100);
  return buf;
}

std::string connectedText(int pane, const StatusSnapshot& s) {
  switch (pane) {
    case kPaneServo: return std::string("Servo Status:") + (s.servoOn == 1 ? "Servo On" : "Servo Off");
    case kPaneControlMode: return controlModeName(s.controlMode) + "Control";
    case kPaneVersion: return "Version: " + versionText(s.version, s.driveType);
    case kPaneLink: return "Servo Linking";
    case kPaneDriveType: return "Type: " + capacityText(s.motorCode, s.namingStyle);
    case kPaneMotorType: return "Motor Type:" + motorTypeText(s.motorCode);
    case kPaneMessage: return "Message: ";
    case kPaneAlarm: return servoStatusText(s.statusWord);
    default: return {};
  }
}

std::string unconnectedText(int pane, const StatusSnapshot& s) {
  switch (pane) {
    case kPaneServo: return "Servo Status:Servo Off";
    case kPaneControlMode: return "--- control";
    case kPaneVersion: return "Version: *.**";
    case kPaneLink: return "Servo unlink";
    case kPaneDriveType: return s.driveType == 1 ? "Type: PDXA-----" : "Type: -----";
    case kPaneMotorType: return "Motor Type:-----------";
    case kPaneMessage: return std::string("Message: ") + (s.linkWanted ? "Communicate Error!" : "Disconnect");
    default: return {};
  }
}

}  // namespace

std::string statusPaneText(int pane, const StatusSnapshot& s) {
  return s.connected ? connectedText(pane, s) : unconnectedText(pane, s);
}

std::string statusIndicatorText(int pane) {
  if (pane < 0 || pane >= kStatusPaneCount) return {};
  return kIndicators[static_cast<std::size_t>(pane)];
}

int statusPaneWidthDivisor(int pane) {
  if (pane < 0 || pane >= kStatusPaneCount) return 1;
  return kWidthDivisors[static_cast<std::size_t>(pane)];
}

}  // namespace zavo
