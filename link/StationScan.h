#pragma once
// A search of one serial line for the drives on it: for each baud rate, a DriveLink probe
// for a drive wired point to point, then for each Modbus format one read of the connect
// probe's register at every station, each with a short time-out the line itself sets (the
// request's and the reply's time on the wire and an allowance for the drive's turnaround).
// Every drive that answers is asked what the connection asks: its version and its model
// code, and which drive type it is. Reports progress before every probe, stops there
// when told to, and at the first drive when the plan says so.

#include <string>
#include <vector>

#include "comtrak/CSerial.h"
#include "link/Protocol.h"
#include "link/ScanPlan.h"

namespace zavo {

struct FoundDrive {
  bool modbus = false;
  int station = 0;  // 0: the DriveLink drive, which has no station
  unsigned long baud = 0;
  int format = -1;     // Modbus format 0-8; -1 for DriveLink (8N1)
  int driveType = -1;  // -1: the registers could not tell
  int version = -1;    // the version register (125 is 1.25); -1: not read
  int model = -1;      // Cn030, the model code; -1: not read

  // "station 5  19200 8E1 RTU  type 2  A01.25  motor 1121"; "drivelink  19200 8N1  type 2 ..."
  std::string text() const;
  // The version as the status bar shows it: "A01.25" (types 0, 2, 4) or "E01.25".
  std::string versionText() const;
};

struct ScanProgress {
  int done = 0;  // probes made
  int total = 0;
  unsigned long baud = 0;
  int format = -1;  // -1: the DriveLink probe
  int station = 0;
};

class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  // Before every probe; false stops the scan before it.
  virtual bool progress(const ScanProgress& /*p*/) { return true; }
  virtual void found(const FoundDrive& /*drive*/) {}
};

// The drive's turnaround and a USB adapter's latency, on top of the line's own time.
inline constexpr int kScanTurnaroundAllowanceMs = 20;
// Reads of a drive that has answered: as patient as the connect.
inline constexpr int kScanDetailTimeoutMs = 400;

class StationScan {
 public:
  // `port` is open; the scan sets its line for each probe and leaves the read timer as it was.
  explicit StationScan(CSerial& port) : port_(port) {}

  std::vector<FoundDrive> run(const ScanPlan& plan, ScanObserver& observer);
  bool cancelled() const { return cancelled_; }

  // The time-out of one probe: request and reply on the wire at `baud`, plus the allowance.
  static int probeTimeoutMs(unsigned long baud, int bitsPerCharacter, std::size_t requestChars,
                            std::size_t replyChars);

 private:
  bool probeDriveLink(unsigned long baud, FoundDrive& found);
  // The station whose reply came (0: none); `found` describes it.
  int probeStation(unsigned long baud, int format, int station, FoundDrive& found);
  void detailDriveLink(FoundDrive& found);
  void detailModbus(FoundDrive& found);
  // Fetches the model code through `w` if the drive has its window there.
  bool fetchThroughWindow(const protocol::WindowLayout& w, int driveType, int& model);

  CSerial& port_;
  bool cancelled_ = false;
};

}  // namespace zavo
