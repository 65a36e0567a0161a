// zavoctl paths export / paths import: the internal position command table of a drive to and
// from a path file.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/TerminalProgress.h"
#include "link/PlanningTransfer.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/AtomicFile.h"
#include "params/document/BoundedFileRead.h"
#include "planning/PathFile.h"
#include "planning/PlanningWrites.h"

namespace zavo::cli {
namespace {

using planning::PositionTable;

constexpr const char* kUsage =
    "Usage: zavoctl paths export FILE|- [options]\n"
    "       zavoctl paths import FILE [--clamp] [options]\n"
    "The drive's internal position command table as a path file (CSV):\n"
    "  coordinate,D            0 absolute, 1 relative coordinates\n"
    "  phold,D                 0 proceed from the PHOLD position, 1 run the current selection\n"
    "  smoothing,MS            the time constant, 0-10000 ms\n"
    "  path,rotation,pulse,speed\n"
    "  P,R,U,S                 one line per path (16 or 32 paths)\n"
    "'#' lines and blank lines are ignored. export writes every line; import reads the table,\n"
    "replaces what the file gives, checks it and writes the whole table. A value out of range\n"
    "is refused (FILE:LINE:); --clamp holds path values (and on drive types 0 and 1 the time\n"
    "constant) to their ranges instead, as the dialog's OK does.\n"
    "Exit: 0 done, 1 link or drive failure, 2 refused input (nothing written).";

bool readTable(DriveSession& drive, PositionTable& table) {
  TerminalProgress progress;
  PlanningTransfer transfer(drive.ops(), progress);
  if (!transfer.readPosition(drive.doc())) return false;
  table = PositionTable::fromDocument(drive.doc(), driveContext().driveType);
  return true;
}

int runExport(const DriveOptions& o, const std::vector<std::string>& rest) {
  if (rest.size() != 1) return usageError("paths export needs FILE or -");
  DriveSession drive(o);
  if (!drive.connect()) return kExitLinkFailure;
  PositionTable table;
  if (!readTable(drive, table)) return kExitLinkFailure;
  const std::string text = planning::formatPathFile(table, driveContext().driveType);
  if (rest[0] == "-") {
    std::fputs(text.c_str(), stdout);
    return kExitOk;
  }
  const SaveResult saved = saveFileAtomically(rest[0], text);
  if (!saved) {
    std::fprintf(stderr, "zavoctl: %s\n", saved.error.c_str());
    return kExitLinkFailure;
  }
  return kExitOk;
}

int refused(const std::string& file, const planning::PathFileProblem& p) {
  std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), p.line, p.message.c_str());
  return kExitUsage;
}

int runImport(const DriveOptions& o, const std::vector<std::string>& rest) {
  bool clamp = false;
  std::vector<std::string> files;
  for (const auto& a : rest) {
    if (a == "--clamp")
      clamp = true;
    else
      files.push_back(a);
  }
  if (files.size() != 1) return usageError("paths import needs one FILE");
  const std::string& file = files[0];
  std::string text;
  if (readFileBounded(file, planning::kPathFileMaxBytes, text) != FileReadStatus::Ok)
    return usageError("cannot read the path file '" + file + "'");
  planning::PathFile parsed;
  planning::PathFileProblem problem;
  if (!planning::parsePathFile(text, parsed, problem)) return refused(file, problem);

  DriveSession drive(o);
  if (!drive.connect()) return kExitLinkFailure;
  const int type = driveContext().driveType;
  PositionTable before;
  if (!readTable(drive, before)) return kExitLinkFailure;
  PositionTable after = before;
  const auto ranges = planning::PositionRanges::of(type, driveContext().ratedSpeed);
  if (!planning::applyPathFile(parsed, after, ranges, clamp, type, problem)) return refused(file, problem);
  if (drive.modbus()) {
    const auto names = PlanningTransfer::positionNames(type);
    const auto items = after.items();
    if (const int unfit = PlanningTransfer::firstUnfitForModbus(names, items); unfit >= 0) {
      const auto u = static_cast<std::size_t>(unfit);
      std::fprintf(stderr, "zavoctl: %s\n", PlanningTransfer::unfitForModbusText(names[u], items[u]).c_str());
      return kExitUsage;
    }
  }
  TerminalProgress progress;
  PlanningTransfer transfer(drive.ops(), progress);
  return planning::writePositionTable(transfer, drive.doc(), type, before, after) ? kExitOk : kExitLinkFailure;
}

int runPaths(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  if (o->rest.empty()) return usageError("paths needs export or import (see zavoctl paths --help)");
  applyDriveType(o->driveType);
  const std::string sub = o->rest[0];
  const std::vector<std::string> rest(o->rest.begin() + 1, o->rest.end());
  if (sub == "export") return runExport(*o, rest);
  if (sub == "import") return runImport(*o, rest);
  return usageError("paths: unknown subcommand '" + sub + "' (export or import)");
}

const CommandRegistrar r("paths", "export or import the internal position command table of a drive", runPaths);

}  // namespace
}  // namespace zavo::cli
