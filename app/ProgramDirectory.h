#pragma once
// Where the program keeps its settings files (ZavoServo.ini, comfile.ini) and looks for help
// and manuals: the executable's folder when the user may write there (a portable install),
// else the user's own configuration folder, so that settings are never silently lost to a
// read-only install.

#include <string>

namespace zavo {

struct ProgramDirectory {
  std::string path;
  bool isExecutableFolder = false;

  // Picks `executableDir` when it is writable, else `configDir` (created when missing).
  static ProgramDirectory choose(const std::string& executableDir, const std::string& configDir);
  // `name` inside the directory.
  std::string file(const std::string& name) const;
};

}  // namespace zavo
