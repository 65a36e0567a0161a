#include "link/PortList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "params/document/BoundedFileRead.h"

namespace zavo {
namespace fs = std::filesystem;

namespace {

std::string trim(std::string s) {
  const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
  s.erase(s.begin(), std::find_if(s.begin(), s.end(), notSpace));
  s.erase(std::find_if(s.rbegin(), s.rend(), notSpace).base(), s.end());
  return s;
}

std::string readLine(const fs::path& p) {
  if (!isRegularFile(p.string())) return {};
  std::ifstream in(p);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// The trailing decimal number of a port name and the text before it.
std::pair<std::string, long> splitNumber(const std::string& name) {
  std::size_t i = name.size();
  while (i > 0 && std::isdigit(static_cast<unsigned char>(name[i - 1]))) --i;
  if (i == name.size()) return {name, -1};
  const std::string digits = name.substr(i, 9);
  return {name.substr(0, i), std::stol(digits)};
}

}  // namespace

bool portNameLess(const std::string& a, const std::string& b) {
  const auto [pa, na] = splitNumber(a);
  const auto [pb, nb] = splitNumber(b);
  if (pa != pb) return pa < pb;
  if (na != nb) return na < nb;
  return a < b;
}

SystemPortSource::SystemPortSource(std::string sysClassTty, std::string devDir)
    : sys_(std::move(sysClassTty)), dev_(std::move(devDir)) {}

std::vector<std::string> SystemPortSource::presentPorts() {
  std::vector<std::string> ports;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(sys_, ec)) {
    const std::string name = e.path().filename().string();
    const bool usb = name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0;
    const bool uart = name.rfind("ttyS", 0) == 0;
    if (!usb && !uart) continue;
    if (!fs::exists(e.path() / "device", ec)) continue;
    // Every ttyS line exists on a PC; only those with a UART type behind them are ports.
    if (uart) {
      const std::string type = readLine(e.path() / "type");
      if (type.empty() || type == "0") continue;
    }
    const fs::path node = fs::path(dev_) / name;
    if (fs::exists(node, ec)) ports.push_back(node.string());
  }
  return ports;
}

std::vector<PortDevice> SystemPortSource::devices() {
  std::vector<PortDevice> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(sys_, ec)) {
    const std::string name = e.path().filename().string();
    if (!fs::exists(e.path() / "device", ec)) continue;
    const fs::path device = fs::canonical(e.path() / "device", ec);
    if (ec) continue;
    std::string description;
    if (name.rfind("ttyACM", 0) == 0) {
      // A CDC interface: its USB device (the interface's parent) names the product.
      const std::string product = readLine(device.parent_path() / "product");
      description = (product.empty() ? std::string("USB Serial Device") : product) + " (CDC ACM)";
    } else if (name.rfind("ttyUSB", 0) == 0) {
      // A USB serial converter: tty -> ttyUSBn device -> interface -> USB device.
      std::string product = readLine(device.parent_path().parent_path() / "product");
      if (product.empty()) product = readLine(device.parent_path() / "product");
      description = product.empty() ? "USB Serial Port" : product;
    } else if (name.rfind("ttyS", 0) == 0) {
      description = "Communications Port";
    } else {
      continue;
    }
    out.push_back({(fs::path(dev_) / name).string(), description});
  }
  return out;
}

std::string portOfEntry(const std::string& entry) {
  const auto colon = entry.find(kEntrySeparator);
  return trim(colon == std::string::npos ? entry : entry.substr(0, colon));
}

std::string openNameOfEntry(const std::string& entry) {
  // Only a list entry has its description after " : "; a device path such as
  // /dev/serial/by-path/pci-0000:00:14.0-... keeps every ':' of its own.
  const auto colon = entry.find(kEntrySeparator);
  if (colon == std::string::npos || colon == 0) return entry;
  return "\\\\.\\" + trim(entry.substr(0, colon));
}

std::vector<std::string> buildPortList(PortSource& source, CSerial& probe) {
  const auto present = source.presentPorts();
  auto devices = source.devices();
  std::sort(devices.begin(), devices.end(),
            [](const PortDevice& a, const PortDevice& b) { return portNameLess(a.port, b.port); });
  std::vector<std::string> entries;
  for (const auto& d : devices) {
    const std::string port = trim(d.port);
    const bool tcpip = port == kTcpIpPort;
    if (!tcpip && std::find(present.begin(), present.end(), port) == present.end()) continue;
    std::string entry = trim(port + kEntrySeparator + d.description);
    if (entry.find("CDC") != std::string::npos) {
      if (probe.Open(("\\\\.\\" + port).c_str(), 19200, 500, 20000, 20000) != 0)
        entry += kUsingSuffix;
      else
        probe.Close();
    }
    entries.push_back(entry);
  }
  return entries;
}

int rememberedEntryIndex(const std::vector<std::string>& entries, const std::string& programDir,
                         const std::string& tempDir, bool* fileFound) {
  if (fileFound) *fileFound = false;
  for (const auto& dir : {programDir, tempDir}) {
    if (dir.empty()) continue;
    const fs::path file = fs::path(dir) / kComFileName;
    if (!isRegularFile(file.string())) continue;
    std::ifstream in(file);
    if (!in) continue;
    if (fileFound) *fileFound = true;
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto it = std::find(entries.begin(), entries.end(), line);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
  }
  return -1;
}

bool saveSelectedEntry(const std::string& entry, const std::string& programDir, const std::string& tempDir) {
  for (const auto& dir : {programDir, tempDir}) {
    if (dir.empty()) continue;
    std::ofstream out(fs::path(dir) / kComFileName, std::ios::trunc);
    if (!out) continue;
    out << entry << '\n';
    out.flush();
    if (out) return true;
  }
  return false;
}

}  // namespace zavo
