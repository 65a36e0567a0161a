// zavoctl info: everything the catalogue knows about one parameter code.

#include <cstdio>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/JsonText.h"
#include "cli/Numbers.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "resources/TextTable.h"

namespace zavo::cli {
namespace {

constexpr const char* kHelp =
    "Usage: zavoctl info CODE [--drive-type T] [--json]\n"
    "Prints what the parameter catalogue answers for CODE (e.g. Cn001, Pn401, ECA05, Un06):\n"
    "id, existence, attribute word, register code, word address, high-word register of a 32-bit\n"
    "item, title, unit, limits, default, Modbus register and whether it is store-only.\n\n"
    "  --drive-type T   drive type 0-4 (default 2); motor data as before any drive was read\n"
    "  --json           one JSON object with plain integers (null where there is none)\n";

std::string orNull(long v, bool present) { return present ? std::to_string(v) : "null"; }

int runInfo(Args args) {
  if (wantsHelp(args)) {
    std::printf("%s", kHelp);
    return kExitOk;
  }
  std::optional<std::string> code;
  int type = 2;
  bool json = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json") {
      json = true;
    } else if (args[i] == "--drive-type") {
      if (i + 1 >= args.size()) return usageError("info: --drive-type needs a value 0-4");
      const auto t = parseNumber(args[++i]);
      if (!t || *t < 0 || *t > 4) return usageError("info: invalid drive type '" + args[i] + "' (0-4)");
      type = static_cast<int>(*t);
    } else if (!args[i].empty() && args[i][0] == '-') {
      return usageError("info: unknown option '" + args[i] + "'");
    } else if (code) {
      return usageError("info takes one CODE");
    } else {
      code = args[i];
    }
  }
  if (!code) return usageError("info needs a CODE (see zavoctl info --help)");

  TextTable::active().loadLibrary(kTolkarLibrary);
  driveContext().reset(type);
  namespace cat = catalogue;
  const std::string& c = *code;
  catalogue::Limits lim;
  cat::limitsOf(c, lim);
  const unsigned reg = cat::addressCode(c);
  const bool wide = cat::is32Bit(c);
  const int modbus = cat::modbusRegister(c);

  if (json) {
    std::printf(
        "{\"code\":%s,\"id\":%d,\"exists\":%s,\"attributes\":%u,\"register\":%u,\"wordAddress\":%s,"
        "\"highRegister\":%s,\"title\":%s,\"unit\":%s,\"min\":%d,\"max\":%d,\"default\":%d,"
        "\"modbusRegister\":%s,\"storeOnly\":%s}\n",
        jsonString(c).c_str(), cat::idOf(c), cat::exists(c) ? "true" : "false", cat::attributes(c), reg,
        orNull(cat::wordAddress(c), reg != 0).c_str(), orNull(cat::highWordCode(c), wide).c_str(),
        jsonString(cat::titleOf(c)).c_str(), jsonString(cat::unitOf(c)).c_str(), lim.min, lim.max, lim.def,
        orNull(modbus, modbus >= 0).c_str(), cat::storeOnly(c) ? "true" : "false");
    return kExitOk;
  }
  std::printf("code:           %s\n", c.c_str());
  std::printf("id:             %d\n", cat::idOf(c));
  std::printf("exists:         %s (drive type %d)\n", cat::exists(c) ? "yes" : "no", type);
  std::printf("attributes:     0x%05X (format %s, editor kind %d)\n", cat::attributes(c), cat::formatOf(cat::attributes(c)),
              cat::editorKind(cat::attributes(c)));
  if (reg)
    std::printf("register:       0x%04X (word address %d, sent on page '%c')\n", reg, cat::wordAddress(c), cat::transferPage(c));
  else
    std::printf("register:       none\n");
  if (wide) std::printf("high word:      0x%04X (word address %d)\n", cat::highWordCode(c), cat::highWordAddress(c));
  std::printf("title:          %s\n", cat::titleOf(c).c_str());
  std::printf("unit:           %s\n", cat::unitOf(c).c_str());
  std::printf("range:          %s\n", cat::rangeText(c, lim.min, lim.max).c_str());
  std::printf("default:        %s\n", cat::valueText(c, lim.def).c_str());
  if (modbus >= 0)
    std::printf("modbus:         0x%03X\n", modbus);
  else
    std::printf("modbus:         none\n");
  std::printf("store only:     %s\n", cat::storeOnly(c) ? "yes" : "no");
  return kExitOk;
}

const CommandRegistrar reg("info", "what the parameter catalogue knows about one code", runInfo);

}  // namespace
}  // namespace zavo::cli
