#include "sim/StateFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "params/document/BoundedFileRead.h"

namespace zavo::sim {
namespace {

constexpr const char* kHeader = "zavodrive-sim state 1";
constexpr int kMaxLines = 70000;      // a 512-word image plus its extension, with room
constexpr int kMaxLinear = 0xFFFF;
constexpr int kMaxDriveType = 4;

bool fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

// Reads one line of at most `size - 1` characters; a longer line is not a state file line.
bool readLine(std::FILE* f, char* buf, std::size_t size, bool& tooLong) {
  tooLong = false;
  if (!std::fgets(buf, static_cast<int>(size), f)) return false;
  const std::size_t n = std::strlen(buf);
  if (n > 0 && buf[n - 1] == '\n') {
    buf[n - 1] = 0;
  } else if (!std::feof(f)) {
    tooLong = true;
  }
  return true;
}

// "alarms" and exactly one hex code per entry.
bool parseAlarms(const char* line, AlarmHistory::Codes& codes) {
  constexpr std::size_t kKeyLength = 6;
  if (std::strncmp(line, "alarms", kKeyLength) != 0) return false;
  const char* p = line + kKeyLength;
  for (auto& code : codes) {
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(p, &end, 16);
    if (end == p || errno != 0 || v > 0xFFFF || *p == '-') return false;
    code = static_cast<std::uint16_t>(v);
    p = end;
  }
  while (*p == ' ') ++p;
  return *p == 0;
}

}  // namespace

bool StateFile::save(const std::string& path, const DriveState& state, std::string* error) {
  const std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "w");
  if (!f) return fail(error, "cannot write " + temp + ": " + std::strerror(errno));
  std::fprintf(f, "%s\ndrive-type %d\nalarms", kHeader, state.driveType);
  for (const auto a : state.alarms) std::fprintf(f, " %04X", a);
  std::fprintf(f, "\n");
  for (const auto& [linear, value] : state.words) std::fprintf(f, "%04X %04X\n", linear, value);
  const bool written = std::fflush(f) == 0;
  if (std::fclose(f) != 0 || !written) {
    ::unlink(temp.c_str());
    return fail(error, "cannot write " + temp);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return fail(error, "cannot replace " + path + ": " + std::strerror(errno));
  }
  return true;
}

bool StateFile::load(const std::string& path, DriveState& state, std::string* error) {
  // A FIFO under the name would block the open until someone writes to it.
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !isRegularFile(path)) return fail(error, path + " is not a regular file");
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return fail(error, "cannot read " + path + ": " + std::strerror(errno));
  DriveState s;
  char line[128];
  bool tooLong = false;
  bool ok = readLine(f, line, sizeof line, tooLong) && !tooLong && std::strcmp(line, kHeader) == 0;
  ok = ok && readLine(f, line, sizeof line, tooLong) && !tooLong &&
       std::sscanf(line, "drive-type %d", &s.driveType) == 1 && s.driveType >= 0 && s.driveType <= kMaxDriveType;
  ok = ok && readLine(f, line, sizeof line, tooLong) && !tooLong && parseAlarms(line, s.alarms);
  int lines = 0;
  while (ok && readLine(f, line, sizeof line, tooLong)) {
    unsigned linear = 0, value = 0;
    char extra = 0;
    ok = !tooLong && ++lines <= kMaxLines && std::sscanf(line, "%x %x %c", &linear, &value, &extra) == 2 &&
         linear <= kMaxLinear && value <= 0xFFFF;
    if (ok) s.words.emplace_back(static_cast<int>(linear), static_cast<std::uint16_t>(value));
  }
  std::fclose(f);
  if (!ok) return fail(error, path + " is not a state file of the virtual drive");
  state = std::move(s);
  return true;
}

}  // namespace zavo::sim
