// zavoctl live: one parameter stepped on the drive as the Online Parameter dialog steps a slot.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Numbers.h"
#include "cli/ParameterArgs.h"
#include "editors/OnlineEditor.h"
#include "params/catalogue/Catalogue.h"

namespace zavo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: zavoctl live CODE --step N [--times K] [options]\n"
    "Opens CODE in an online slot (its value read from the drive), then steps it K times (default\n"
    "1) by N, each step written to the drive at once. N is signed (up or down), decimal or 0x, and\n"
    "one of the slot's steps: 1 ... 10000 (to 100000000 for wide parameters), or for hexadecimal\n"
    "parameters 10000 and the digit steps 0x1, 0x10, 0x100, 0x1000. Prints 'CODE OLD -> NEW' per\n"
    "step. Exit 2 for \"Over Range!!\" (or a step the slot does not offer), 1 when the drive does not\n"
    "take a step (\"Online parameter eidt failed!!\") or cannot be read.";

int runLive(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  std::string code;
  std::optional<long> step, times = 1;
  for (std::size_t i = 0; i < o->rest.size(); ++i) {
    const std::string& a = o->rest[i];
    const bool hasValue = i + 1 < o->rest.size();
    if (a == "--step" && hasValue) step = parseNumber(o->rest[++i]);
    else if (a == "--times" && hasValue) times = parseNumber(o->rest[++i]);
    else if (code.empty() && a.rfind("--", 0) != 0) code = a;
    else return usageError("live: unexpected '" + a + "'");
  }
  if (code.empty()) return usageError("live needs a parameter code");
  if (!step || *step == 0) return usageError("live needs --step N (a non-zero step)");
  if (!times || *times < 1) return usageError("live: --times takes a count of 1 or more");
  if (o->modbus) return usageError("live speaks DriveLink only");
  applyDriveType(o->driveType);
  if (!knownParameter(code)) return usageError("unknown parameter '" + code + "' on drive type " + std::to_string(o->driveType));
  const OnlineStepping stepping = steppingOf(catalogue::attributes(code));
  const auto chosen = stepOfSize(stepping, std::labs(*step));
  if (!chosen) return usageError("live: " + code + " has no step of " + std::to_string(std::labs(*step)));

  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  OnlineEditor editor(drive.ops(), drive.doc());
  OnlineSlotCodes codes;
  codes[0] = code;
  editor.load(codes);
  if (!editor.slot(0).known) return kExitLinkFailure;
  for (long k = 0; k < *times; ++k) {
    const std::string before = editor.slot(0).valueText();
    std::vector<int> changed;
    switch (editor.step(0, *chosen, *step > 0, changed)) {
      case OnlineEditor::Outcome::Written:
        std::printf("%s %s -> %s\n", editor.slot(0).code.c_str(), before.c_str(), editor.slot(0).valueText().c_str());
        std::fflush(stdout);
        break;
      case OnlineEditor::Outcome::OverRange: return kExitUsage;
      default: return kExitLinkFailure;
    }
  }
  return kExitOk;
}

const CommandRegistrar r("live", "step one parameter live on a drive, as the Online Parameter dialog", runLive);

}  // namespace
}  // namespace zavo::cli
