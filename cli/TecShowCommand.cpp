// zavoctl tec-show: a parameter file's drive type, version and values, without a drive.

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/JsonText.h"
#include "params/catalogue/Catalogue.h"
#include "params/document/TecArchive.h"

namespace zavo::cli {
namespace {

const char* statusText(TecReadStatus s) {
  switch (s) {
    case TecReadStatus::Ok: return "ok";
    case TecReadStatus::Truncated: return "the file ends too early";
    case TecReadStatus::BadString: return "the version text is malformed";
    case TecReadStatus::BadDriveType: return "the drive type field is invalid";
    case TecReadStatus::CannotOpen: return "cannot be read";
    case TecReadStatus::TooLarge: return "far too large for a parameter file";
    case TecReadStatus::NotRegular: return "not a regular file";
  }
  return "unreadable";
}

int runTecShow(Args args) {
  if (wantsHelp(args)) {
    std::printf("Usage: zavoctl tec-show FILE.tec [--json]\nPrints a parameter file's drive type, version and every parameter it holds.\n");
    return kExitOk;
  }
  bool json = false;
  std::string path;
  for (const auto& a : args) {
    if (a == "--json") json = true;
    else if (path.empty()) path = a;
    else return usageError("tec-show takes one file");
  }
  if (path.empty()) return usageError("tec-show needs a file");
  TecFile file;
  const auto status = readTecFile(path, file);
  if (status != TecReadStatus::Ok) {
    std::fprintf(stderr, "zavoctl: %s: %s\n", path.c_str(), statusText(status));
    return kExitUsage;
  }
  applyDriveType(file.driveType);
  if (json) {
    std::printf("{\"driveType\": %d, \"version\": %d, \"versionText\": %s, \"parameters\": {", file.driveType,
                versionNumberOf(file.versionText), jsonString(file.versionText).c_str());
  } else {
    std::printf("drive type %d\nversion %s (%d)\n", file.driveType, file.versionText.c_str(),
                versionNumberOf(file.versionText));
  }
  bool first = true;
  for (const auto& e : catalogue::parameters(file.driveType)) {
    if (!file.holds(e.group, e.slot)) continue;
    const std::int32_t v = file[e.group][static_cast<std::size_t>(e.slot)];
    if (json) {
      std::printf("%s\"%s\": %d", first ? "" : ", ", e.code.c_str(), v);
      first = false;
    } else {
      std::printf("%s %s\n", e.code.c_str(), catalogue::valueText(e.code, v).c_str());
    }
  }
  if (json) std::printf("}}\n");
  return kExitOk;
}

const CommandRegistrar reg("tec-show", "show a .tec parameter file (no drive needed)", runTecShow);

}  // namespace
}  // namespace zavo::cli
