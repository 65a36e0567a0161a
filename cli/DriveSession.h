#pragma once
// One zavoctl run against a drive: the link port, the drive operations, a document to hold
// what is read, and the connection brought up with the drive's handshake.

#include <memory>

#include "cli/DriveOptions.h"
#include "cli/FrameLogOutput.h"
#include "link/ConnectionManager.h"
#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "params/document/ZavoServoDoc.h"

namespace zavo::cli {

class DriveSession final : public ConnectionHost {
 public:
  explicit DriveSession(const DriveOptions& options);
  ~DriveSession() override;

  // Brings the link up. False when it did not come up (the message is already on stderr).
  bool connect();
  bool modbus() const { return options_.modbus; }
  bool ascii() const { return options_.ascii; }

  DriveOperations& ops() { return ops_; }
  CZavoServoDoc& doc() { return doc_; }
  ConnectionManager& connection() { return connection_; }

  std::optional<LinkPortChoice> askLinkPort(bool, int) override;

 private:
  DriveOptions options_;
  // Before anything else that may talk to the drive, after everything that does.
  FrameLogOutput frames_;
  LinkFlags flags_;
  DriveOperations ops_;
  // Every command says in its own words where it stopped; the operations' boxes stay quiet.
  DriveOperations::QuietFailures quiet_{ops_};
  CZavoServoDoc doc_;
  ConnectionManager connection_;
};

// Applies the drive type of the options to the catalogue's context (also offline commands).
void applyDriveType(int driveType);

}  // namespace zavo::cli
