#include "cli/ParameterSet.h"

#include "params/document/TecArchive.h"

namespace zavo::cli {

std::vector<catalogue::Entry> backupParameters(int driveType) {
  // Exactly what a parameter file of the drive type holds, and the drive transfers.
  TecFile layout;
  layout.driveType = driveType;
  std::vector<catalogue::Entry> out;
  for (const auto& e : catalogue::parameters(driveType))
    if (layout.holds(e.group, e.slot) && catalogue::wordAddress(e.code) >= 0) out.push_back(e);
  return out;
}

bool skippedByRestore(const std::string& code, int driveType) {
  return code == "Cn030" || code == "Cn029" || code == "En15" || (code == "Tn110" && driveType >= 2);
}

}  // namespace zavo::cli
