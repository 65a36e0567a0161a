#pragma once
// The global options of zavoctl's drive commands: which line, which drive, which protocol.

#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace zavo::cli {

struct DriveOptions {
  std::string port;      // --port PATH, or ZAVO_PORT
  int baudIndex = 1;     // --baud N (4800 ... 115200)
  int driveType = 2;     // --drive-type T
  bool modbus = false;   // --modbus ascii|rtu
  bool ascii = false;
  int station = 1;       // --station N
  int format = -1;       // --format F (0-8); -1: 0 for ASCII, 6 for RTU
  bool json = false;     // --json
  std::string logFrames;  // --log-frames FILE|-: every frame on the line
  std::vector<std::string> rest;  // the command's own arguments
};

// Takes the global options out of `args`; a usage error message when they are wrong.
std::optional<DriveOptions> parseDriveOptions(Args args, std::string& error);

// The command line with the global options that stand before the command moved behind it
// ("--port P read Cn001" becomes "read Cn001 --port P"); anything else stays as it is.
std::vector<std::string> commandFirst(const std::vector<std::string>& args);

// Usage lines of the global options, for each command's --help.
extern const char* const kDriveOptionsHelp;

// The start of every drive command: --help prints `usage` and the options (rc 0); wrong
// options, or a count of the command's own arguments other than `arguments` (when given),
// are a usage error. Nothing returned means: return rc.
inline constexpr std::size_t kAnyArguments = static_cast<std::size_t>(-1);
std::optional<DriveOptions> commandOptions(Args args, const char* usage, int& rc,
                                           std::size_t arguments = kAnyArguments);

}  // namespace zavo::cli
