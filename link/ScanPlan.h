#pragma once
// What a search of a line for drives tries: the baud rates, the Modbus formats and the
// stations, and whether a DriveLink probe looks for a drive wired point to point. Parsed from
// the texts zavoctl and the search window take ("9600,19200", "1-247", "6,7").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zavo {

inline constexpr int kFirstStation = 1;
inline constexpr int kLastStation = 247;  // the highest unicast address Modbus has

struct ScanPlan {
  std::vector<unsigned long> bauds;
  std::vector<int> formats;   // Modbus formats 0-8
  std::vector<int> stations;  // 1-247
  bool driveLink = true;      // a DriveLink probe (no station) at each baud rate
  bool first = false;         // stop at the first drive found

  // The Link Port Set list of rates, `currentBaudIndex`'s first; `currentFormat`; 1-247.
  static ScanPlan defaults(int currentBaudIndex, int currentFormat);
  // Exchanges the plan makes at most (the DriveLink probes included).
  int probeCount() const;
};

// "1-247", "1,5,17", "1-10,20": numbers and ranges within [lo, hi], in the given order,
// each number once. Nothing (an error message set) for anything else or an empty list.
std::optional<std::vector<int>> parseNumberList(std::string_view text, int lo, int hi, std::string* error);
// "9600,19200": rates of the Link Port Set list only.
std::optional<std::vector<unsigned long>> parseBaudList(std::string_view text, std::string* error);

// "8E1 RTU", "7N2 ASCII": the line settings of a Modbus format.
std::string formatText(int format);

}  // namespace zavo
