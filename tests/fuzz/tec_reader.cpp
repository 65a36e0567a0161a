// The `.tec` reader on arbitrary bytes: it must never read past the input or allocate what
// the input merely claims, and whatever it accepts must write back and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "params/document/TecArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string version;
  std::int32_t type = 0;
  const zavo::TecReadStatus header = zavo::parseTecHeader(bytes, version, type);
  (void)zavo::versionNumberOf(version);

  zavo::TecFile file;
  const zavo::TecReadStatus status = zavo::parseTec(bytes, file);
  if (status != zavo::TecReadStatus::Ok) return 0;
  if (header != zavo::TecReadStatus::Ok || version != file.versionText || type != file.driveType) std::abort();

  zavo::TecFile again;
  if (zavo::parseTec(zavo::formatTec(file), again) != zavo::TecReadStatus::Ok) std::abort();
  if (again.versionText != file.versionText || again.driveType != file.driveType || again.monitor != file.monitor ||
      again.values != file.values || again.statusWord != file.statusWord)
    std::abort();
  return 0;
}
