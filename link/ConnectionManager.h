#pragma once
// Bringing the link up and keeping it: the Connect/Disconnect command with the drive's
// identification handshake, the once-a-second tick with its health poll and status read, and
// the silent reconnect every tenth tick while the user wants a link. Qt-free; the desktop
// view drives it from its 1000 ms timer, zavoctl and tests call it directly.

#include <cstdint>
#include <string>

#include "link/ConnectionHost.h"
#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "params/document/ZavoServoDoc.h"

namespace zavo {

inline constexpr int kMonitorTimerId = 1114;
inline constexpr int kMonitorTimerMs = 1000;
inline constexpr int kReconnectEveryTicks = 10;

// What the status read brings besides the document fields.
struct DriveStatus {
  int servoOn = 0;
  std::uint32_t statusWord = 0;  // second servo status word ('6', 0x60): the alarm bits
  std::int32_t statusLong = 0;   // ('7', 0x1A/0x1B)
};

class ConnectionManager {
 public:
  ConnectionManager(CSerial& port, LinkFlags& flags, DriveOperations& ops, CZavoServoDoc& doc,
                    ConnectionHost& host);

  // Where comfile.ini is kept (program folder, else temporary folder).
  void setSettingsFolders(std::string programDir, std::string tempDir);

  // The Connect/Disconnect command (menu 32777).
  void connectCommand();
  // Connects without the dialog, to the given choice (zavoctl, tests, the first start).
  void connectTo(const LinkPortChoice& choice);
  void disconnect();
  // Timer 1114.
  void timerTick();
  void autoReconnect();
  int healthPoll();
  int statusRead();

  const DriveStatus& status() const { return status_; }
  const LinkFlags& flags() const { return flags_; }
  // The name the reconnect opens: the device of the entry the user connected to.
  const std::string& reconnectName() const { return reconnectName_; }

 private:
  void connectChosen(const LinkPortChoice& choice);
  void openAndHandshake(const std::string& name, const LinkPortChoice& choice);
  bool configurePort(bool reconnect);
  bool modbusProbe();
  bool driveLinkHandshake(const LinkPortChoice& choice);
  bool readSoftwareVersion();
  bool readTerminals();
  void readVersionFlags();
  void closePort();
  void failLink(const std::string& text, bool topmost);
  void refreshAllPanes();
  void finish(std::int32_t versionBefore);
  void syncContext();

  CSerial& port_;
  LinkFlags& flags_;
  DriveOperations& ops_;
  CZavoServoDoc& doc_;
  ConnectionHost& host_;
  DriveStatus status_;
  std::string programDir_, tempDir_;
  std::string reconnectName_;
};

}  // namespace zavo
