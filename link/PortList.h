#pragma once
// The list of ports the Link Port Set dialog offers: "PORT : Description" entries of the serial
// devices present, in natural order (ttyUSB2 before ttyUSB10, COM9 before COM10), USB CDC
// ports that another program holds marked "(using)", and the last used entry remembered in
// comfile.ini.

#include <string>
#include <vector>

#include "comtrak/CSerial.h"

namespace zavo {

// One device as the system describes it.
struct PortDevice {
  std::string port;         // device path, e.g. /dev/ttyUSB0, or "TCPIP"
  std::string description;  // e.g. "FT232R USB UART"; CDC devices say "CDC" in it
};

// Where the port list comes from: the present port names and the devices with their
// descriptions. Only devices whose port is present are listed. Replaceable for tests.
class PortSource {
 public:
  virtual ~PortSource() = default;
  virtual std::vector<std::string> presentPorts() = 0;
  virtual std::vector<PortDevice> devices() = 0;
};

// The serial devices of this machine from sysfs: ttyUSB*, ttyACM* and the ttyS* that have
// a UART behind them.
class SystemPortSource final : public PortSource {
 public:
  explicit SystemPortSource(std::string sysClassTty = "/sys/class/tty", std::string devDir = "/dev");
  std::vector<std::string> presentPorts() override;
  std::vector<PortDevice> devices() override;

 private:
  std::string sys_;
  std::string dev_;
};

inline constexpr const char* kUsingSuffix = "(using)";
inline constexpr const char* kTcpIpPort = "TCPIP";
inline constexpr const char* kComFileName = "comfile.ini";
// Between the port and its description in a list entry.
inline constexpr const char* kEntrySeparator = " : ";

// Builds the entries in order. CDC entries are test-opened on `probe` (and closed again at
// once); one that cannot be opened gets the suffix "(using)". Ordinary ports are never opened.
std::vector<std::string> buildPortList(PortSource& source, CSerial& probe);

// The port part of an entry: the text before " : ", trimmed; the whole entry when it has none.
std::string portOfEntry(const std::string& entry);
// The name the connect command opens for an entry: the trimmed port part with the device
// prefix "\\.\" for a list entry ("PORT : Description"), else the entry as it is: a device
// path the user typed or chose, whatever ':' it contains.
std::string openNameOfEntry(const std::string& entry);

// Natural order of port names: the text before the trailing number, then the number.
bool portNameLess(const std::string& a, const std::string& b);

// comfile.ini in `programDir`, else in `tempDir`: the first line is the remembered entry.
// Returns the index of the entry equal to it, -1 when none is (or no file could be read).
int rememberedEntryIndex(const std::vector<std::string>& entries, const std::string& programDir,
                         const std::string& tempDir, bool* fileFound = nullptr);
// Writes the entry and a line break to comfile.ini in `programDir`, else `tempDir`.
// False when neither could be written (the choice is then simply not kept).
bool saveSelectedEntry(const std::string& entry, const std::string& programDir, const std::string& tempDir);

}  // namespace zavo
