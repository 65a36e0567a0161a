#pragma once
// The parameters a backup holds: every parameter of the drive type that the parameter file
// stores and the drive transfers, in list order.

#include <string>
#include <vector>

#include "params/catalogue/Catalogue.h"

namespace zavo::cli {

std::vector<catalogue::Entry> backupParameters(int driveType);
// Parameters a restore leaves alone: the drive's model code (read-only), the parameter reset
// (it would wipe what was just restored) and those the drive type never takes.
bool skippedByRestore(const std::string& code, int driveType);

}  // namespace zavo::cli
