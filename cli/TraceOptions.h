#pragma once
// The arguments of zavoctl trace: the capture's settings as the Trace Setting dialog would
// have made them, and when the capture ends.

#include <optional>
#include <string>
#include <vector>

#include "trace/TraceSettings.h"

namespace zavo::cli {

struct TraceOptions {
  trace::TraceSettings settings;
  int cycles = 1;       // Cycle: records to take
  int halves = 0;       // Monitor: halves to take (0: until --seconds or SIGINT)
  double seconds = 0;   // Monitor: how long to run (0: until --halves or SIGINT)
  bool readBack = false;
  bool stream = false;
  std::string out;  // the record saved as .trd or exported as .csv
};

// The trace options out of `args` (the drive options already taken out); nothing, with
// `error` set, when they are not a capture the dialog would allow on `driveType` at rated
// speed `ratedSpeed`.
std::optional<TraceOptions> parseTraceOptions(const std::vector<std::string>& args, int driveType, int ratedSpeed,
                                              std::string& error);

}  // namespace zavo::cli
