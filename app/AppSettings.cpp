#include "app/AppSettings.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

#include "params/document/AtomicFile.h"
#include "params/document/BoundedFileRead.h"

namespace zavo {
namespace {

constexpr const char* kHeader = "[Zavo Servo]";
constexpr const char* kVersionLine = "Version=v0.1.110316";
constexpr const char* kSystem = "[System]";
constexpr const char* kComPortKey = "ComPort=";
constexpr const char* kDefinite = "[Definite Parameter]";
constexpr const char* kDisplay = "[Display Setting]";
constexpr const char* kStationKey = "StationID=";
constexpr const char* kRs485Key = "RS485Port=";
constexpr const char* kBaudKey = "BaudRateIndex=";
constexpr const char* kRtuKey = "RTUMode=";
constexpr const char* kSerialKey = "SerialNum=";

// Line reader that forgives a Windows line end, so a file carried over from the other
// platform still reads.
bool nextLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// The leading integer of `text`, or `fallback` when there is none (a damaged line must not
// stop the program or turn into a wild value).
int toInt(const std::string& text, int fallback = 0) {
  std::istringstream s(text);
  long v = 0;
  if (!(s >> v) || v < -2147483647L - 1 || v > 2147483647L) return fallback;
  return static_cast<int>(v);
}

bool readInt(std::istream& in, int& out) {
  std::string line;
  if (!nextLine(in, line)) return false;
  out = toInt(line);
  return true;
}

// The value after `key` when the line contains it.
bool keyed(const std::string& line, const char* key, int& out) {
  const auto at = line.find(key);
  if (at == std::string::npos) return false;
  out = toInt(line.substr(at + std::string(key).size()));
  return true;
}

}  // namespace

void AppSettings::setModbusFormat(int format) {
  modbusFormat = (format >= 0 && format < kModbusFormatCount) ? format : 0;
  modbusAscii = modbusFormat < kFirstRtuFormat ? 1 : 0;
}

bool AppSettings::read(std::istream& in) {
  std::string line;
  if (!nextLine(in, line) || line != kHeader) return false;
  if (!nextLine(in, line)) return true;  // the version line is not checked
  if (!nextLine(in, line) || line != kSystem) return true;
  if (!nextLine(in, line) || line.rfind(kComPortKey, 0) != 0) return true;
  comPort = toInt(line.substr(std::string(kComPortKey).size()));
  if (comPort < 0 || comPort >= kComPortCount) comPort = 0;

  if (!nextLine(in, line) || line != kDefinite) return true;
  int count = 0;
  if (!readInt(in, count)) return true;
  // A count beyond what the list can hold would read the following sections as pairs.
  if (count < 0 || count > kMaxDefinite) return true;
  std::vector<DefiniteParameter> list;
  for (int i = 0; i < count; ++i) {
    DefiniteParameter p;
    if (!readInt(in, p.group) || !readInt(in, p.number)) return true;
    list.push_back(p);
  }
  definite = std::move(list);

  if (!nextLine(in, line) || line != kDisplay) return true;
  for (int& d : display)
    if (!readInt(in, d)) return true;

  int value = 0;
  if (nextLine(in, line) && keyed(line, kStationKey, value)) station = value;
  if (nextLine(in, line) && keyed(line, kRs485Key, value)) modbusMode = value;
  if (nextLine(in, line) && keyed(line, kBaudKey, value))
    baudIndex = (value >= 0 && value < kBaudIndexCount) ? value : kDefaultBaudIndex;
  if (nextLine(in, line) && keyed(line, kRtuKey, value)) setModbusFormat(value);
  if (!nextLine(in, line)) return true;  // SerialNum: the launcher decides the drive type
  if (!nextLine(in, line) || line != kDisplay) return true;
  readInt(in, lastDisplay);
  return true;
}

void AppSettings::write(std::ostream& out) const {
  out << kHeader << '\n' << kVersionLine << '\n' << kSystem << '\n' << kComPortKey << comPort << '\n';
  // Never more than a reader accepts, or the whole list would be dropped at the next start.
  const std::size_t count = std::min(definite.size(), static_cast<std::size_t>(kMaxDefinite));
  out << kDefinite << '\n' << count << '\n';
  char id[16];
  for (std::size_t i = 0; i < count; ++i) {
    const DefiniteParameter& p = definite[i];
    std::snprintf(id, sizeof id, "%02d", p.number);
    out << p.group << '\n' << id << '\n';
  }
  out << kDisplay << '\n';
  for (int d : display) out << d << '\n';
  out << kStationKey << station << '\n'
      << kRs485Key << modbusMode << '\n'
      << kBaudKey << baudIndex << '\n'
      << kRtuKey << modbusFormat << '\n'
      << kSerialKey << driveType << '\n'
      << kDisplay << '\n'
      << lastDisplay << '\n';
}

bool AppSettings::load(const std::string& path) {
  if (!isRegularFile(path)) return false;
  std::ifstream in(path);
  return in && read(in);
}

bool AppSettings::save(const std::string& path, std::string* error) const {
  std::ostringstream out;
  write(out);
  const SaveResult r = saveFileAtomically(path, out.str());
  if (!r && error) *error = r.error;
  return r.ok;
}

}  // namespace zavo
