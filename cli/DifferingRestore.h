#pragma once
// zavoctl restore --only-differing: of a parameter file, only what differs from the drive
// goes back (or the part of it that --select names), each written value read back and
// confirmed; --dry-run lists the differences and writes nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/DriveSession.h"
#include "params/catalogue/Catalogue.h"

namespace zavo::cli {

struct DifferingOptions {
  bool onlyDiffering = false;
  bool dryRun = false;
  std::vector<std::string> select;  // empty: every difference
};

// Takes --only-differing, --select CODE,... and --dry-run out of `args`. Nothing, with
// `error` set, when they are given wrongly (--select or --dry-run without --only-differing).
std::optional<DifferingOptions> takeDifferingOptions(std::vector<std::string>& args, std::string& error);
// The selected codes that are none of `params` ("" when all are).
std::string unknownSelection(const DifferingOptions& o, const std::vector<catalogue::Entry>& params);

// Lists "CODE FILE-VALUE DRIVE-VALUE" for each of `params` whose file value (in the session's
// document) differs from `driveValues`, writes the chosen ones and confirms them by reading
// them back. The exit code: 0 done (or nothing differs), 1 a transfer failed or a value did
// not stay, 3 differences listed by a dry run.
int restoreDiffering(DriveSession& drive, const std::vector<catalogue::Entry>& params,
                     const std::vector<std::int32_t>& driveValues, int driveType, const DifferingOptions& o);

}  // namespace zavo::cli
