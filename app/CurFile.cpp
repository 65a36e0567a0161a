#include "app/CurFile.h"

#include <cstdio>
#include <fstream>

#include "params/document/BoundedFileRead.h"

namespace zavo {
namespace {

bool nextLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

std::optional<int> CurFile::driveType() const {
  if (typeLine.size() == 1 && typeLine[0] >= '0' && typeLine[0] <= '3') return typeLine[0] - '0';
  return std::nullopt;
}

CurFile CurFile::takeFrom(const std::string& path) {
  CurFile c;
  // Only a file is taken (and deleted): a FIFO of that name must not stop the start-up.
  if (!isRegularFile(path)) return c;
  {
    std::ifstream in(path);
    if (!in) return c;
    c.present = true;
    nextLine(in, c.typeLine);
    std::string file;
    if (nextLine(in, file) && !file.empty()) c.parameterFile = file;
  }
  std::remove(path.c_str());
  return c;
}

std::string CurFile::pathIn(const std::string& tempDir) {
  if (tempDir.empty()) return kFileName;
  return tempDir.back() == '/' ? tempDir + kFileName : tempDir + "/" + kFileName;
}

bool CurFile::write(const std::string& path, const std::string& code) {
  std::ofstream out(path, std::ios::trunc);
  if (!out) return false;
  out << code << '\n';
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace zavo
