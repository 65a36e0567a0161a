#pragma once
// curfile.ini: the launcher's hand-over in the temporary folder. Line 1 is the drive type code
// the user chose, line 2 (optional) a parameter file to open. The program reads it once at
// start-up and deletes it, so a later start without the launcher does not repeat the choice.

#include <optional>
#include <string>

namespace zavo {

struct CurFile {
  static constexpr const char* kFileName = "curfile.ini";

  bool present = false;
  std::string typeLine;
  std::optional<std::string> parameterFile;

  // The drive type the first line sets: "0" to "3"; any other code keeps the current type.
  std::optional<int> driveType() const;

  // Reads `path` and removes it (a failure to remove is of no consequence).
  static CurFile takeFrom(const std::string& path);
  // The hand-over path in `tempDir`.
  static std::string pathIn(const std::string& tempDir);
  // Writes the launcher's line: the code and a line break. Returns false when it cannot.
  static bool write(const std::string& path, const std::string& code);
};

}  // namespace zavo
