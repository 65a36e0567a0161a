#pragma once
// The eight panes of the main window's status bar: what each shows for the link and drive
// state in a status snapshot, its indicator text before any state is known, and its width.

#include <cstdint>
#include <string>

#include "app/MotorCodeText.h"
#include "link/ConnectionHost.h"

namespace zavo {

enum StatusPane : int {
  kPaneServo = 0,
  kPaneControlMode = 1,
  kPaneVersion = 2,
  kPaneLink = 3,
  kPaneDriveType = 4,
  kPaneMotorType = 5,
  kPaneMessage = 6,
  kPaneAlarm = 7,
};

// What the status read last brought, with the link flags that decide the pane texts.
struct StatusSnapshot {
  bool connected = false;
  bool linkWanted = false;
  int servoOn = 0;
  int controlMode = -1;
  int version = 0;  // software version dn-04, e.g. 218 for 2.18
  std::uint16_t motorCode = 0;
  std::uint32_t statusWord = 0;  // second servo status word ('6', 0x60)
  int driveType = 2;
  NamingStyle namingStyle = NamingStyle::Default;
};

std::string statusPaneText(int pane, const StatusSnapshot& s);
// The text a pane shows from the start, before the first refresh.
std::string statusIndicatorText(int pane);
// A pane is the screen width divided by this number.
int statusPaneWidthDivisor(int pane);

}  // namespace zavo
