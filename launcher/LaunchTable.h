#pragma once
// What each drive type of the launcher's list stands for: the text shown, the code handed to
// the program in curfile.ini, and the sub-folder of the installation that holds the copy of
// ZavoServo for that family.

#include <array>
#include <string>

namespace zavo {

struct LaunchEntry {
  const char* text;
  const char* code;
  const char* subFolder;
};

inline constexpr int kLaunchEntryCount = 17;
const std::array<LaunchEntry, kLaunchEntryCount>& launchTable();

// The program started for entry `index` of an installation in `installDir`.
std::string programPathFor(const std::string& installDir, int index);

}  // namespace zavo
