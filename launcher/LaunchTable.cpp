#include "launcher/LaunchTable.h"

namespace zavo {
namespace {

constexpr const char* kProgramName = "ZavoServo";

// Codes 0-3 are the drive types the program knows; the others are the families' own codes,
// which the program reads as "keep the current type".
constexpr std::array<LaunchEntry, kLaunchEntryCount> kTable{{
    {"M7", "99", "M7"},
    {"M7-R", "3", "M7-R"},
    {"M7Q", "2", "M7-R"},
    {"M7Q-L", "11", "M7-R"},
    {"M7Q-R", "4", "M7-R"},
    {"M7Q-RL", "99", "M7-R"},
    {"N5", "5", "M7-R"},
    {"K4", "7", "K4"},
    {"K4-C", "8", "K4"},
    {"K4-R", "9", "K4"},
    {"K4-X", "10", "K4"},
    {"K4-V", "11", "K4"},
    {"W3", "6", "M7-R"},
    {"W3Q", "14", "M7-R"},
    {"W6", "12", "M7-R"},
    {"W6-R", "13", "M7-R"},
    {"BXN", "16", "M7-R"},
}};

}  // namespace

const std::array<LaunchEntry, kLaunchEntryCount>& launchTable() { return kTable; }

std::string programPathFor(const std::string& installDir, int index) {
  const LaunchEntry& e = kTable.at(static_cast<std::size_t>(index));
  std::string dir = installDir;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir + "/" + e.subFolder + "/" + kProgramName;
}

}  // namespace zavo
