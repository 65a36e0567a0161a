#pragma once
// The drive's non-volatile memory across runs (--state): the stored parameter words and the
// alarm history. Only what the drive keeps over a power cycle goes in; values written to the
// working registers alone do not.
//
// A line-oriented text file: a header, "drive-type N", "alarms" with ten hex codes, then one
// "LLLL VVVV" line per stored word (linear number, value, both hex).

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim/AlarmHistory.h"

namespace zavo::sim {

struct DriveState {
  int driveType = 0;
  AlarmHistory::Codes alarms{};
  std::vector<std::pair<int, std::uint16_t>> words;
};

class StateFile {
 public:
  // Writes a temporary file beside `path` and renames it over, so a crash never leaves a
  // half-written state behind.
  static bool save(const std::string& path, const DriveState& state, std::string* error);
  // False with `error` set when the file is missing, unreadable or not a state file.
  static bool load(const std::string& path, DriveState& state, std::string* error);
};

}  // namespace zavo::sim
