// zavoctl catalogue: every parameter of a drive type in list order.

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/Numbers.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "resources/TextTable.h"

namespace zavo::cli {
namespace {

constexpr const char* kHelp =
    "Usage: zavoctl catalogue [--drive-type T] [--group PREFIX]\n"
    "Lists every parameter that exists on the drive type, in list order, one per line:\n"
    "code, title, value format, unit, range text and default text, separated by tabs.\n\n"
    "  --drive-type T   drive type 0-4 (default 2); motor data as before any drive was read\n"
    "  --group PREFIX   only codes beginning with PREFIX (Cn, Tn, Sn, Pn3, Pn4, qn, Hn, tn, ECA, On...)\n";

int runCatalogue(Args args) {
  if (wantsHelp(args)) {
    std::printf("%s", kHelp);
    return kExitOk;
  }
  int type = 2;
  std::string prefix;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--drive-type") {
      if (i + 1 >= args.size()) return usageError("catalogue: --drive-type needs a value 0-4");
      const auto t = parseNumber(args[++i]);
      if (!t || *t < 0 || *t > 4) return usageError("catalogue: invalid drive type '" + args[i] + "' (0-4)");
      type = static_cast<int>(*t);
    } else if (args[i] == "--group") {
      if (i + 1 >= args.size()) return usageError("catalogue: --group needs a PREFIX");
      prefix = args[++i];
    } else {
      return usageError("catalogue: unexpected argument '" + args[i] + "'");
    }
  }

  TextTable::active().loadLibrary(kTolkarLibrary);
  driveContext().reset(type);
  ParameterImages images;
  catalogue::fillLimits(images);
  catalogue::fillDefaults(images);
  for (const auto& e : catalogue::parameters(type)) {
    if (!e.code.starts_with(prefix)) continue;
    const GroupImage& g = images[e.group];
    const auto n = static_cast<std::size_t>(e.slot);
    std::printf("%s\t%s\t%s\t%s\t%s\t%s\n", e.code.c_str(), catalogue::titleOf(e.code).c_str(),
                catalogue::formatOf(catalogue::attributes(e.code)), catalogue::unitOf(e.code).c_str(),
                catalogue::rangeText(e.code, g.min[n], g.max[n]).c_str(), catalogue::valueText(e.code, g.def[n]).c_str());
  }
  return kExitOk;
}

const CommandRegistrar reg("catalogue", "list the parameters of a drive type", runCatalogue);

}  // namespace
}  // namespace zavo::cli
