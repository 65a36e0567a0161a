#include "cli/DriveOptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "cli/Numbers.h"
#include "link/LinkState.h"

namespace zavo::cli {

const char* const kDriveOptionsHelp =
    "Options:\n"
    "  --port PATH          serial device of the drive (or the ZAVO_PORT variable)\n"
    "  --baud N             4800, 9600, 19200, 38400, 57600 or 115200 (default 9600)\n"
    "  --drive-type T       drive type 0-4 (default 2)\n"
    "  --modbus ascii|rtu   talk Modbus instead of DriveLink\n"
    "  --station N          Modbus station number (default 1)\n"
    "  --format F           Modbus line format 0-8 (default 0 for ASCII, 6 for RTU)\n"
    "  --json               print JSON\n"
    "  --log-frames FILE|-  log every frame on the line to FILE (-: standard error)\n";

namespace {

// The global options that take a value, and those that stand alone.
constexpr std::string_view kValueOptions[] = {"--port", "--baud", "--drive-type", "--modbus", "--station", "--format",
                                           "--log-frames"};
constexpr std::string_view kFlagOptions[] = {"--json"};

bool isIn(std::span<const std::string_view> list, const std::string& a) {
  return std::find(list.begin(), list.end(), a) != list.end();
}

}  // namespace

std::vector<std::string> commandFirst(const std::vector<std::string>& args) {
  std::size_t i = 0;
  while (i < args.size()) {
    if (isIn(kFlagOptions, args[i]))
      i += 1;
    else if (isIn(kValueOptions, args[i]) && i + 1 < args.size())
      i += 2;
    else
      break;
  }
  if (i == 0 || i == args.size()) return args;
  std::vector<std::string> out(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  out.insert(out.end(), args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
  return out;
}

std::optional<DriveOptions> parseDriveOptions(Args args, std::string& error) {
  DriveOptions o;
  if (const char* env = std::getenv("ZAVO_PORT")) o.port = env;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](const char* what) -> const std::string* {
      if (i + 1 >= args.size()) {
        error = a + " needs " + what;
        return nullptr;
      }
      return &args[++i];
    };
    auto number = [&](const char* what, long lo, long hi) -> std::optional<long> {
      const std::string* v = value(what);
      if (!v) return std::nullopt;
      const auto n = parseNumber(*v);
      if (!n || *n < lo || *n > hi) {
        error = "invalid " + std::string(what) + " '" + *v + "'";
        return std::nullopt;
      }
      return n;
    };
    if (a == "--json") {
      o.json = true;
    } else if (a == "--port") {
      const std::string* v = value("a device path");
      if (!v) return std::nullopt;
      o.port = *v;
    } else if (a == "--log-frames") {
      const std::string* v = value("a file name or -");
      if (!v) return std::nullopt;
      o.logFrames = *v;
    } else if (a == "--baud") {
      const auto n = number("baud rate", 1, 1000000);
      if (!n) return std::nullopt;
      o.baudIndex = -1;
      for (int b = 0; b < 6; ++b)
        if (baudOfIndex(b) == static_cast<unsigned long>(*n)) o.baudIndex = b;
      if (o.baudIndex < 0) {
        error = "invalid baud rate '" + args[i] + "'";
        return std::nullopt;
      }
    } else if (a == "--drive-type") {
      const auto n = number("drive type (0-4)", 0, 4);
      if (!n) return std::nullopt;
      o.driveType = static_cast<int>(*n);
    } else if (a == "--modbus") {
      const std::string* v = value("ascii or rtu");
      if (!v) return std::nullopt;
      if (*v != "ascii" && *v != "rtu") {
        error = "--modbus takes ascii or rtu, not '" + *v + "'";
        return std::nullopt;
      }
      o.modbus = true;
      o.ascii = *v == "ascii";
    } else if (a == "--station") {
      const auto n = number("station (0-255)", 0, 255);
      if (!n) return std::nullopt;
      o.station = static_cast<int>(*n);
    } else if (a == "--format") {
      const auto n = number("format (0-8)", 0, 8);
      if (!n) return std::nullopt;
      o.format = static_cast<int>(*n);
    } else {
      o.rest.push_back(a);
    }
  }
  if (o.format < 0) o.format = o.ascii ? 0 : 6;
  return o;
}

std::optional<DriveOptions> commandOptions(Args args, const char* usage, int& rc, std::size_t arguments) {
  if (wantsHelp(args)) {
    std::printf("%s\n%s", usage, kDriveOptionsHelp);
    rc = kExitOk;
    return std::nullopt;
  }
  std::string error;
  auto o = parseDriveOptions(args, error);
  if (!o) {
    rc = usageError(error);
    return std::nullopt;
  }
  if (arguments != kAnyArguments && o->rest.size() != arguments) {
    rc = usageError(arguments == 1 ? "expected one file name" : "wrong number of arguments (see --help)");
    return std::nullopt;
  }
  return o;
}

}  // namespace zavo::cli
