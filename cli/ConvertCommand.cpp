// zavoctl convert: a raw drive word to the value shown, or back.

#include <cstdio>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/Numbers.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"

namespace zavo::cli {
namespace {

constexpr const char* kHelp =
    "Usage: zavoctl convert CODE (--to-display RAW | --to-raw VALUE) [--drive-type T]\n"
    "                       [--rated-speed S] [--legacy]\n"
    "Converts one value of parameter CODE between the raw drive word and the display value and\n"
    "prints the integer.\n\n"
    "  --to-display RAW   raw drive value (decimal or 0x-hex) -> display value\n"
    "  --to-raw VALUE     display value -> raw drive value\n"
    "  --drive-type T     drive type 0-4 (default 2)\n"
    "  --rated-speed S    motor rated speed in rpm (default 3000)\n"
    "  --legacy           the legacy series speed scaling\n";

int runConvert(Args args) {
  if (wantsHelp(args)) {
    std::printf("%s", kHelp);
    return kExitOk;
  }
  std::optional<std::string> code;
  std::optional<long> value;
  bool toDisplay = false;
  int type = 2;
  long rated = 3000;
  bool legacy = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto next = [&]() -> std::optional<long> {
      if (i + 1 >= args.size()) return std::nullopt;
      return parseNumber(args[++i]);
    };
    if (a == "--to-display" || a == "--to-raw") {
      if (value) return usageError("convert: give one of --to-display and --to-raw");
      toDisplay = a == "--to-display";
      value = next();
      if (!value || *value < INT32_MIN || *value > INT32_MAX)
        return usageError("convert: " + a + " needs a 32-bit integer");
    } else if (a == "--drive-type") {
      const auto t = next();
      if (!t || *t < 0 || *t > 4) return usageError("convert: --drive-type needs a value 0-4");
      type = static_cast<int>(*t);
    } else if (a == "--rated-speed") {
      const auto s = next();
      if (!s || *s <= 0 || *s > 100000) return usageError("convert: --rated-speed needs a speed in rpm (1-100000)");
      rated = *s;
    } else if (a == "--legacy") {
      legacy = true;
    } else if (!a.empty() && a[0] == '-' && !code) {
      return usageError("convert: unknown option '" + a + "'");
    } else if (code) {
      return usageError("convert: unexpected argument '" + a + "'");
    } else {
      code = a;
    }
  }
  if (!code) return usageError("convert needs a CODE (see zavoctl convert --help)");
  if (!value) return usageError("convert needs --to-display RAW or --to-raw VALUE");

  DriveContext& c = driveContext();
  c.reset(type);
  c.ratedSpeed = static_cast<int>(rated);
  c.legacySeries = legacy;
  const auto v = static_cast<std::int32_t>(*value);
  std::printf("%d\n", toDisplay ? conversion::toDisplay(*code, v) : conversion::toRaw(*code, v));
  return kExitOk;
}

const CommandRegistrar reg("convert", "convert a parameter value between drive word and display", runConvert);

}  // namespace
}  // namespace zavo::cli
