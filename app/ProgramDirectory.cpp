#include "app/ProgramDirectory.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace zavo {

ProgramDirectory ProgramDirectory::choose(const std::string& executableDir, const std::string& configDir) {
  std::error_code ec;
  if (!executableDir.empty() && std::filesystem::is_directory(executableDir, ec) &&
      ::access(executableDir.c_str(), W_OK) == 0)
    return {executableDir, true};
  std::filesystem::create_directories(configDir, ec);
  return {configDir, false};
}

std::string ProgramDirectory::file(const std::string& name) const {
  if (path.empty()) return name;
  return path.back() == '/' ? path + name : path + "/" + name;
}

}  // namespace zavo
