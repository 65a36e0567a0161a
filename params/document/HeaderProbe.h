#pragma once
// The check before a parameter file is opened: its version text and drive type field must
// suit the program, or the file is refused before the document is touched. When the file
// itself cannot be opened, the probe falls back to sm7comfile.ini in the temporary folder.

#include <cstdint>
#include <string>
#include <string_view>

namespace zavo {

inline constexpr std::string_view kHeaderProbeFallbackName = "sm7comfile.ini";
// Files of a later version than this program's may hold what it cannot read.
inline constexpr int kNewestReadableVersion = 161013;
// The current drive type that skips the probe.
inline constexpr int kProbeSkippedDriveType = -1;

struct HeaderProbe {
  enum class Outcome {
    NoFile,      // neither the file nor the fallback could be opened
    Unreadable,  // a file opened but its header could not be read
    Read,        // versionText and driveType hold the header
  };
  Outcome outcome = Outcome::NoFile;
  std::string versionText;
  std::int32_t driveType = 0;
};

// $TMPDIR when set, else /tmp.
std::string temporaryDirectory();

HeaderProbe probeHeader(const std::string& path, const std::string& tempDir);

// False only for a header that was read and names another drive type or a newer version.
bool headerAllowsOpen(const HeaderProbe& probe, int currentDriveType);

}  // namespace zavo
