// zavoctl ram-read / ram-write: the drive's register image to and from a .dat listing
// (Copy to Computer / Copy to Device).

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/TerminalProgress.h"
#include "link/RegisterImageTransfer.h"

namespace zavo::cli {
namespace {

std::optional<DriveOptions> ramOptions(Args args, const char* usage, int& rc) {
  if (wantsHelp(args)) {
    std::printf("%s\n%s", usage, kDriveOptionsHelp);
    rc = kExitOk;
    return std::nullopt;
  }
  std::string error;
  auto o = parseDriveOptions(args, error);
  if (!o) {
    rc = usageError(error);
    return std::nullopt;
  }
  if (o->rest.size() != 1) {
    rc = usageError("expected one file name");
    return std::nullopt;
  }
  return o;
}

int runRamRead(Args args) {
  int rc = kExitOk;
  auto o = ramOptions(args, "Usage: zavoctl ram-read FILE.dat [options]\nCopies the drive's register image to a listing file.", rc);
  if (!o) return rc;
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  TerminalProgress progress;
  RegisterImageTransfer transfer(drive.ops(), progress);
  if (!transfer.read(drive.doc())) return kExitLinkFailure;
  const auto saved = drive.doc().exportRamListing(o->rest[0]);
  if (!saved) {
    std::fprintf(stderr, "zavoctl: %s\n", saved.error.c_str());
    return kExitLinkFailure;
  }
  return kExitOk;
}

int runRamWrite(Args args) {
  int rc = kExitOk;
  auto o = ramOptions(args, "Usage: zavoctl ram-write FILE.dat [options]\nCopies a listing file into the drive's register image.", rc);
  if (!o) return rc;
  DriveSession drive(*o);
  if (!drive.doc().importRamListing(o->rest[0])) return kExitLinkFailure;
  if (!drive.connect()) return kExitLinkFailure;
  TerminalProgress progress;
  RegisterImageTransfer transfer(drive.ops(), progress);
  return transfer.write(drive.doc()) ? kExitOk : kExitLinkFailure;
}

const CommandRegistrar r1("ram-read", "copy the drive's register image to a .dat file", runRamRead);
const CommandRegistrar r2("ram-write", "copy a .dat file into the drive's register image", runRamWrite);

}  // namespace
}  // namespace zavo::cli
