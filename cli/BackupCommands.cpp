// zavoctl backup / restore / compare: a drive's whole parameter set against a .tec file.

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/DifferingRestore.h"
#include "cli/DriveSession.h"
#include "cli/ParameterSet.h"
#include "cli/TerminalProgress.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::cli {
namespace {

std::optional<DriveOptions> fileCommand(Args args, const char* usage, int& rc) {
  auto o = commandOptions(args, usage, rc, 1);
  if (o && o->modbus) {
    rc = usageError("backup, restore and compare talk DriveLink; leave out --modbus");
    return std::nullopt;
  }
  return o;
}

// Reads every backed-up parameter of the drive; the values land in the session's document.
bool readAll(DriveSession& drive, const std::vector<catalogue::Entry>& params, std::vector<std::int32_t>& values) {
  TerminalProgress progress;
  progress.open("Read", 0, static_cast<int>(params.size()));
  for (const auto& e : params) {
    progress.setText(e.code);
    progress.step();
    if (!drive.ops().readParameter(e.code)) {
      progress.close();
      std::fprintf(stderr, "zavoctl: stopped at %s: no valid reply from the drive\n", e.code.c_str());
      return false;
    }
    values.push_back(drive.ops().lastValue());
  }
  progress.close();
  return true;
}

// Opens the file into the session's document; the drive's own type stays current.
bool openFile(DriveSession& drive, const std::string& path, int driveType) {
  const bool ok = drive.doc().OnOpenDocument(path);
  driveContext().driveType = driveType;
  return ok;
}

int runBackup(Args args) {
  int rc = kExitOk;
  auto o = fileCommand(args, "Usage: zavoctl backup FILE.tec [options]\nReads every parameter of the drive and saves them as a parameter file.", rc);
  if (!o) return rc;
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  const auto params = backupParameters(o->driveType);
  std::vector<std::int32_t> values;
  if (!readAll(drive, params, values)) return kExitLinkFailure;
  auto& doc = drive.doc();
  for (std::size_t i = 0; i < params.size(); ++i) doc.setValue(params[i].group, params[i].slot, values[i]);
  const auto saved = doc.OnSaveDocument(o->rest[0]);
  if (!saved) {
    std::fprintf(stderr, "zavoctl: %s\n", saved.error.c_str());
    return kExitLinkFailure;
  }
  std::fprintf(stderr, "%zu parameters saved to %s\n", params.size(), o->rest[0].c_str());
  return kExitOk;
}

// A file's values are checked against the limits before anything is written: a value beyond
// them would reach the drive cut to a word, as another number.
bool refuseOutOfRange(const CZavoServoDoc& doc, const std::string& path) {
  const auto codes = doc.valuesOutOfRange();
  if (codes.empty()) return false;
  std::string list;
  for (const auto& c : codes) list += (list.empty() ? "" : ", ") + c;
  usageError(path + ": out of range, nothing written: " + list);
  return true;
}

int runRestore(Args args) {
  int rc = kExitOk;
  std::vector<std::string> own(args.begin(), args.end());
  std::string error;
  const auto differing = takeDifferingOptions(own, error);
  if (!differing) return usageError(error);
  auto o = fileCommand(own, "Usage: zavoctl restore FILE.tec [--only-differing [--select CODE,...] [--dry-run]] [options]\n"
                            "Writes every parameter of a parameter file to the drive; with --only-differing\n"
                            "only those that differ (listed as compare does), read back and confirmed.", rc);
  if (!o) return rc;
  const auto params = backupParameters(o->driveType);
  if (const auto unknown = unknownSelection(*differing, params); !unknown.empty())
    return usageError("--select: not a parameter of the file: " + unknown);
  DriveSession drive(*o);
  if (!openFile(drive, o->rest[0], o->driveType)) return kExitUsage;
  if (refuseOutOfRange(drive.doc(), o->rest[0])) return kExitUsage;
  if (!drive.connect()) return kExitLinkFailure;
  // The drive's own motor data may narrow the limits that the file was checked with.
  drive.doc().rebuildForNewVersion();
  if (refuseOutOfRange(drive.doc(), o->rest[0])) return kExitUsage;
  if (differing->onlyDiffering) {
    std::vector<std::int32_t> values;
    if (!readAll(drive, params, values)) return kExitLinkFailure;
    return restoreDiffering(drive, params, values, o->driveType, *differing);
  }
  TerminalProgress progress;
  progress.open("Write", 0, static_cast<int>(params.size()));
  int written = 0;
  for (const auto& e : params) {
    progress.setText(e.code);
    progress.step();
    if (skippedByRestore(e.code, o->driveType)) continue;
    if (!drive.ops().writeParameter(e.code, drive.doc().value(e.group, e.slot))) {
      progress.close();
      std::fprintf(stderr, "zavoctl: restore stopped at %s (%d parameters written)\n", e.code.c_str(), written);
      return kExitLinkFailure;
    }
    ++written;
  }
  progress.close();
  std::fprintf(stderr, "%d parameters written\n", written);
  return kExitOk;
}

int runCompare(Args args) {
  int rc = kExitOk;
  auto o = fileCommand(args, "Usage: zavoctl compare FILE.tec [options]\nLists 'CODE FILE-VALUE DRIVE-VALUE' for each parameter that differs;\nexit 0 when none does, 3 when some do.", rc);
  if (!o) return rc;
  DriveSession drive(*o);
  if (!openFile(drive, o->rest[0], o->driveType)) return kExitUsage;
  if (!drive.connect()) return kExitLinkFailure;
  const auto params = backupParameters(o->driveType);
  std::vector<std::int32_t> values;
  if (!readAll(drive, params, values)) return kExitLinkFailure;
  int differ = 0;
  for (std::size_t i = 0; i < params.size(); ++i) {
    const auto& e = params[i];
    const std::int32_t fileValue = drive.doc().value(e.group, e.slot);
    if (fileValue == values[i]) continue;
    ++differ;
    std::printf("%s %s %s\n", e.code.c_str(), catalogue::valueText(e.code, fileValue).c_str(),
                catalogue::valueText(e.code, values[i]).c_str());
  }
  return differ ? kExitDifferent : kExitOk;
}

const CommandRegistrar r1("backup", "save a drive's parameters to a .tec file", runBackup);
const CommandRegistrar r2("restore", "write a .tec file's parameters to a drive", runRestore);
const CommandRegistrar r3("compare", "list the differences between a .tec file and a drive", runCompare);

}  // namespace
}  // namespace zavo::cli
