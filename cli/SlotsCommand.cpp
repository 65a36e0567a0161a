// zavoctl slots: the Online Parameter dialog's slot file (.onp), saved and loaded.

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Json.h"
#include "editors/OnlineEditor.h"
#include "params/catalogue/Catalogue.h"
#include "params/document/OnpFile.h"

namespace zavo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: zavoctl slots save FILE.onp CODE|-... [--drive-type T]\n"
    "       zavoctl slots load FILE.onp [--json] [options]\n"
    "save writes 1-8 slot codes ('-' for a free slot) to a slot file, without a drive; a code the\n"
    "drive type lacks, or a path not ending in .onp, writes nothing (exit 2).\n"
    "load prints the eight slots as N<TAB>CODE<TAB>VALUE<TAB>UNIT<TAB>RANGE, or N<TAB>- for a free\n"
    "slot (a code the drive type lacks is one); the values are read from the drive when a port is\n"
    "given (--port or ZAVO_PORT), else they are the drive type's defaults. --json prints eight\n"
    "objects {slot, code, value, text, unit, range}.";

constexpr std::string_view kFreeSlot = "-";

int save(const DriveOptions& o) {
  const std::string& path = o.rest[1];
  const std::size_t count = o.rest.size() - 2;
  if (count < 1 || count > kOnlineSlotCount) return usageError("slots save takes 1 to 8 codes");
  if (!isOnpPath(path)) return usageError("slots save: '" + path + "' is not a .onp file");
  applyDriveType(o.driveType);
  OnlineSlotCodes codes;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& code = o.rest[i + 2];
    if (code == kFreeSlot) continue;
    if (!catalogue::exists(code)) return usageError("slots save: no parameter '" + code + "' on drive type " + std::to_string(o.driveType));
    codes[i] = code;
  }
  const SaveResult saved = writeOnpFile(path, codes);
  if (!saved) {
    std::fprintf(stderr, "zavoctl: %s\n", saved.error.c_str());
    return kExitLinkFailure;
  }
  return kExitOk;
}

std::int32_t documentValue(const CZavoServoDoc& doc, const std::string& code) {
  ParamGroup g{};
  int n = 0;
  return catalogue::slotOf(code, g, n) ? doc.value(g, n) : 0;
}

int load(const DriveOptions& o) {
  if (o.rest.size() != 2) return usageError("slots load takes one file");
  OnlineSlotCodes codes;
  if (!readOnpFile(o.rest[1], codes)) return usageError("slots load: '" + o.rest[1] + "' is not a readable .onp file");
  DriveSession drive(o);
  // The values come from the drive as the dialog reads them; without a port, the defaults.
  if (!o.port.empty() && !drive.connect()) return kExitLinkFailure;
  OnlineEditor editor(drive.ops(), drive.doc());
  editor.load(codes);
  std::string json = "[";
  for (int i = 0; i < kOnlineSlotCount; ++i) {
    const OnlineSlot& s = editor.slot(i);
    const std::int32_t value = s.known ? s.value : documentValue(drive.doc(), s.code);
    const std::string text = s.empty() ? std::string() : catalogue::valueText(s.code, value);
    if (o.json) {
      json += (i ? ", " : "") + std::string("{\"slot\": ") + std::to_string(i + 1) + ", \"code\": " +
              (s.empty() ? "null" : jsonString(s.code)) + ", \"value\": " + (s.empty() ? "null" : std::to_string(value)) +
              ", \"text\": " + jsonString(text) + ", \"unit\": " + jsonString(s.unit()) + ", \"range\": " +
              jsonString(s.range()) + "}";
    } else if (s.empty()) {
      std::printf("%d\t-\n", i + 1);
    } else {
      std::printf("%d\t%s\t%s\t%s\t%s\n", i + 1, s.code.c_str(), text.c_str(), s.unit().c_str(), s.range().c_str());
    }
  }
  if (o.json) std::printf("%s]\n", json.c_str());
  return kExitOk;
}

int runSlots(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  if (o->rest.size() < 2) return usageError("slots needs save or load and a file (see --help)");
  if (o->rest[0] == "save") return save(*o);
  if (o->rest[0] == "load") return load(*o);
  return usageError("slots: unknown action '" + o->rest[0] + "'");
}

const CommandRegistrar r("slots", "save or load the Online Parameter dialog's slot file (.onp)", runSlots);

}  // namespace
}  // namespace zavo::cli
