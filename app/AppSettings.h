#pragma once
// The program's settings of the last run, kept in ZavoServo.ini in the program directory.
// The file is line-oriented and read back by position, not keyed: each section header must
// stand where it was written, so an older or foreign file is ignored rather than misread.

#include <iosfwd>
#include <string>
#include <vector>

namespace zavo {

// One entry of the custom parameter list: a group code and the number within the group.
struct DefiniteParameter {
  int group = 0;
  int number = 0;
  bool operator==(const DefiniteParameter&) const = default;
};

struct AppSettings {
  static constexpr int kDisplaySettingCount = 14;
  static constexpr int kMaxDefinite = 300;
  static constexpr int kComPortCount = 8;
  static constexpr int kBaudIndexCount = 6;
  static constexpr int kDefaultBaudIndex = 1;  // 9600
  static constexpr int kModbusFormatCount = 9;
  static constexpr int kFirstRtuFormat = 6;

  int comPort = 0;  // 0-7
  int baudIndex = 0;
  int station = 0;
  int modbusMode = 0;    // RS485Port
  int modbusFormat = 0;  // RTUMode, 0-8
  int modbusAscii = 0;   // derived: 1 for formats 0-5
  std::vector<DefiniteParameter> definite;
  int display[kDisplaySettingCount] = {};
  int lastDisplay = 0;
  int driveType = 0;  // written as SerialNum, never read back

  // Reads the file's lines in order. Returns false (and changes nothing) when the first line is
  // not the file's header; a later line out of place ends the reading with what was read so far.
  bool read(std::istream& in);
  void write(std::ostream& out) const;

  bool load(const std::string& path);
  // Writes through a temporary file, so a failed save keeps the previous settings; `error`
  // receives the reason when it fails.
  bool save(const std::string& path, std::string* error = nullptr) const;

  // Modbus format with its derived framing flag; a format outside 0-8 becomes 0 (ASCII).
  void setModbusFormat(int format);
};

}  // namespace zavo
