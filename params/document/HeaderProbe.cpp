#include "params/document/HeaderProbe.h"

#include <cstdlib>

#include "params/document/BoundedFileRead.h"
#include "params/document/TecArchive.h"

namespace zavo {

std::string temporaryDirectory() {
  const char* dir = std::getenv("TMPDIR");
  return dir && *dir ? std::string(dir) : std::string("/tmp");
}

HeaderProbe probeHeader(const std::string& path, const std::string& tempDir) {
  HeaderProbe probe;
  std::string bytes;
  FileReadStatus status = readFileBounded(path, kTecMaxFileBytes, bytes);
  if (status == FileReadStatus::CannotOpen)
    status = readFileBounded(tempDir + "/" + std::string(kHeaderProbeFallbackName), kTecMaxFileBytes, bytes);
  if (status == FileReadStatus::CannotOpen) return probe;
  probe.outcome = HeaderProbe::Outcome::Unreadable;
  if (status != FileReadStatus::Ok) return probe;
  if (parseTecHeader(bytes, probe.versionText, probe.driveType) == TecReadStatus::Ok)
    probe.outcome = HeaderProbe::Outcome::Read;
  return probe;
}

bool headerAllowsOpen(const HeaderProbe& probe, int currentDriveType) {
  if (probe.outcome != HeaderProbe::Outcome::Read) return true;
  return probe.driveType == currentDriveType && versionNumberOf(probe.versionText) <= kNewestReadableVersion;
}

}  // namespace zavo
