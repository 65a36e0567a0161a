#include "cli/DifferingRestore.h"

#include <algorithm>
#include <cstdio>

#include "cli/Command.h"
#include "cli/ParameterSet.h"
#include "cli/TerminalProgress.h"

namespace zavo::cli {
namespace {

std::vector<std::string> splitCodes(const std::string& list) {
  std::vector<std::string> out;
  std::size_t from = 0;
  while (from <= list.size()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    if (comma > from) out.push_back(list.substr(from, comma - from));
    from = comma + 1;
  }
  return out;
}

bool selected(const DifferingOptions& o, const std::string& code) {
  return o.select.empty() || std::find(o.select.begin(), o.select.end(), code) != o.select.end();
}

}  // namespace

std::optional<DifferingOptions> takeDifferingOptions(std::vector<std::string>& args, std::string& error) {
  DifferingOptions o;
  bool selectGiven = false;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--only-differing") {
      o.onlyDiffering = true;
    } else if (args[i] == "--dry-run") {
      o.dryRun = true;
    } else if (args[i] == "--select") {
      if (i + 1 >= args.size() || splitCodes(args[i + 1]).empty()) {
        error = "--select needs parameter codes: Cn010,Sn201";
        return std::nullopt;
      }
      selectGiven = true;
      for (auto& c : splitCodes(args[++i])) o.select.push_back(std::move(c));
    } else {
      rest.push_back(args[i]);
    }
  }
  if ((selectGiven || o.dryRun) && !o.onlyDiffering) {
    error = "--select and --dry-run go with --only-differing";
    return std::nullopt;
  }
  args = std::move(rest);
  return o;
}

std::string unknownSelection(const DifferingOptions& o, const std::vector<catalogue::Entry>& params) {
  std::string unknown;
  for (const auto& code : o.select)
    if (std::none_of(params.begin(), params.end(), [&](const catalogue::Entry& e) { return e.code == code; }))
      unknown += (unknown.empty() ? "" : ", ") + code;
  return unknown;
}

int restoreDiffering(DriveSession& drive, const std::vector<catalogue::Entry>& params,
                     const std::vector<std::int32_t>& driveValues, int driveType, const DifferingOptions& o) {
  auto& doc = drive.doc();
  std::vector<const catalogue::Entry*> toWrite;
  int differ = 0;
  for (std::size_t i = 0; i < params.size() && i < driveValues.size(); ++i) {
    const auto& e = params[i];
    const std::int32_t fileValue = doc.value(e.group, e.slot);
    if (fileValue == driveValues[i]) continue;
    ++differ;
    std::printf("%s %s %s\n", e.code.c_str(), catalogue::valueText(e.code, fileValue).c_str(),
                catalogue::valueText(e.code, driveValues[i]).c_str());
    if (!selected(o, e.code)) continue;
    if (skippedByRestore(e.code, driveType))
      std::fprintf(stderr, "%s differs but is never written back\n", e.code.c_str());
    else
      toWrite.push_back(&e);
  }
  std::fflush(stdout);
  if (o.dryRun) return differ ? kExitDifferent : kExitOk;

  TerminalProgress progress;
  progress.open("Write", 0, static_cast<int>(toWrite.size()));
  for (const auto* e : toWrite) {
    progress.setText(e->code);
    progress.step();
    if (!drive.ops().writeParameter(e->code, doc.value(e->group, e->slot))) {
      progress.close();
      std::fprintf(stderr, "zavoctl: stopped at %s: no valid reply from the drive\n", e->code.c_str());
      return kExitLinkFailure;
    }
  }
  progress.close();
  // What was written is read back: a drive may take a write and keep another value.
  for (const auto* e : toWrite) {
    const std::int32_t wanted = doc.value(e->group, e->slot);
    if (!drive.ops().readParameter(e->code)) {
      std::fprintf(stderr, "zavoctl: %s written, but reading it back failed\n", e->code.c_str());
      return kExitLinkFailure;
    }
    if (drive.ops().lastValue() != wanted) {
      std::fprintf(stderr, "zavoctl: %s written as %s, the drive holds %s\n", e->code.c_str(),
                   catalogue::valueText(e->code, wanted).c_str(),
                   catalogue::valueText(e->code, drive.ops().lastValue()).c_str());
      return kExitLinkFailure;
    }
  }
  std::fprintf(stderr, "%zu of %d differing parameters written and confirmed\n", toWrite.size(), differ);
  return kExitOk;
}

}  // namespace zavo::cli
