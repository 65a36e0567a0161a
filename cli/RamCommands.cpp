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

int runRamRead(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, "Usage: zavoctl ram-read FILE.dat [options]\nCopies the drive's register image to a listing file.", rc, 1);
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
  auto o = commandOptions(args, "Usage: zavoctl ram-write FILE.dat [options]\nCopies a listing file into the drive's register image.", rc, 1);
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
