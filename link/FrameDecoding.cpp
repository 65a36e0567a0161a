#include "link/FrameDecoding.h"

#include <array>
#include <cstdio>
#include <map>
#include <mutex>

#include "link/DriveLinkCodec.h"
#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::framedecoding {
namespace {

using protocol::RegisterRef;

// The registers the connection and the status read use, by what they hold.
struct NamedRegister {
  RegisterRef reg;
  const char* name;
};
constexpr NamedRegister kNamedRegisters[] = {
    {protocol::kControlModeRegister, "control mode"},   {protocol::kMotorCodeRegister, "motor code"},
    {protocol::kRatedSpeedRegister, "rated speed"},     {protocol::kServoOnRegister, "servo on"},
    {protocol::kServoStatusRegister, "servo status"},   {protocol::kStatusLongLowRegister, "status low word"},
    {protocol::kStatusLongHighRegister, "status high word"}, {protocol::kVersionRegister, "version"},
    {protocol::kVersionMinorRegister, "minor version"}, {protocol::kAuxModelRegister, "auxiliary model"},
};

constexpr int kDisplayItemsPerGroup = 100;

int normalPage(int page) {
  if (page == protocol::kPage5Numeric) return protocol::kPage5;
  if (page == protocol::kPageCNumeric) return protocol::kPageC;
  return page;
}

// Reverse lookups of the catalogue for one drive type, made the first time a frame of that
// type is decoded. The catalogue answers for the current type, which is the type asked for.
struct Names {
  std::map<int, std::string> byRegister;  // page << 8 | address
  std::map<int, std::string> byLinear;
  std::map<int, std::string> byModbus;
};

const Names& names() {
  const int driveType = driveContext().driveType;
  static std::array<Names, catalogue::kDriveTypeCount> names;
  static std::array<std::once_flag, catalogue::kDriveTypeCount> made;
  const auto t = static_cast<std::size_t>(driveType >= 0 && driveType < catalogue::kDriveTypeCount ? driveType : 0);
  std::call_once(made[t], [t] {
    Names& n = names[t];
    for (const auto& e : catalogue::parameters(static_cast<int>(t))) {
      const std::uint16_t code = catalogue::addressCode(e.code);
      if (code == 0) continue;
      const int page = normalPage(code >> 8), address = code & 0xFF;
      n.byRegister.emplace(page << 8 | address, e.code);
      if (page == protocol::kPageC) n.byRegister.emplace(catalogue::transferPage(e.code) << 8 | address, e.code);
      if (const std::uint16_t high = catalogue::highWordCode(e.code))
        n.byRegister.emplace(normalPage(high >> 8) << 8 | (high & 0xFF), e.code + " high word");
      if (const int linear = catalogue::wordAddress(e.code); linear >= 0) n.byLinear.emplace(linear, e.code);
      if (const int linear = catalogue::highWordAddress(e.code); linear >= 0)
        n.byLinear.emplace(linear, e.code + " high word");
      if (const int reg = catalogue::modbusRegister(e.code); reg >= 0) n.byModbus.emplace(reg, e.code);
    }
    // Display values and diagnostics are read straight from their registers.
    for (const char* group : {"Un", "dn"}) {
      for (int number = 1; number < kDisplayItemsPerGroup; ++number) {
        char code[8];
        std::snprintf(code, sizeof code, "%s%02d", group, number);
        if (const std::uint16_t reg = catalogue::addressCode(code))
          n.byRegister.emplace(normalPage(reg >> 8) << 8 | (reg & 0xFF), code);
      }
    }
  });
  return names[t];
}

std::string lookup(const std::map<int, std::string>& m, int key) {
  const auto it = m.find(key);
  return it == m.end() ? std::string() : it->second;
}

std::string registerText(int page, int address) {
  char text[8];
  std::snprintf(text, sizeof text, "%c%02X", page >= 0x20 && page < 0x7F ? page : '?', address & 0xFF);
  return text;
}

std::string hex16(int value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%04X = %d", value & 0xFFFF, value & 0xFFFF);
  return text;
}

int hexByte(std::span<const std::uint8_t> f, std::size_t at) {
  if (at + 2 > f.size()) return -1;
  const int hi = drivelink::hexDigit(f[at]), lo = drivelink::hexDigit(f[at + 1]);
  return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

int hexWord(std::span<const std::uint8_t> f, std::size_t at) {
  const int hi = hexByte(f, at), lo = hexByte(f, at + 2);
  return hi < 0 || lo < 0 ? -1 : hi << 8 | lo;
}

// What a page-'5' register of the indirect access window does.
enum class WindowRole { None, Command, Address, Data };

WindowRole windowRole(int page, int address) {
  if (page != protocol::kPage5) return WindowRole::None;
  // By-name writes store through the M7 window on every type; the older types also have theirs.
  for (const auto* w : {&protocol::kWindowM7, &protocol::windowOf(driveContext().driveType)}) {
    if (address == w->command) return WindowRole::Command;
    if (address == w->writeAddress || address == w->readAddress) return WindowRole::Address;
    if (address == w->writeData || address == w->readData) return WindowRole::Data;
  }
  return WindowRole::None;
}

const char* roleText(WindowRole role) {
  switch (role) {
    case WindowRole::Command: return "window command";
    case WindowRole::Address: return "window address";
    case WindowRole::Data: return "window data";
    case WindowRole::None: break;
  }
  return "";
}

std::string withName(std::string text, const std::string& name) {
  if (!name.empty()) text += " " + name;
  return text;
}

std::string registerWithName(int page, int address) {
  std::string text = registerText(page, address);
  for (const auto& n : kNamedRegisters)
    if (n.reg.page == page && n.reg.address == address) return text + " " + n.name;
  if (const auto role = windowRole(page, address); role != WindowRole::None)
    return text + " " + roleText(role);
  return withName(text, codeOfRegister(page, address));
}

}  // namespace

std::string codeOfRegister(int page, int address) {
  return lookup(names().byRegister, normalPage(page) << 8 | (address & 0xFF));
}

std::string codeOfLinear(int linear) { return lookup(names().byLinear, linear); }

std::string codeOfModbusRegister(int reg) { return lookup(names().byModbus, reg); }

std::string driveLinkRequest(std::span<const std::uint8_t> f) {
  if (f.size() < 2) return {};
  const int page = f[1];
  switch (f[0]) {
    case protocol::kRead: {
      const int address = hexByte(f, 2);
      if (f.size() < protocol::kReadRequestLength || address < 0) return {};
      return "read " + registerWithName(page, address);
    }
    case protocol::kWrite: {
      const int address = hexByte(f, 2), value = hexWord(f, 4);
      if (f.size() < protocol::kWriteRequestLength || address < 0 || value < 0) return {};
      std::string text = "write " + registerText(page, address) + " " + hex16(value);
      if (const auto role = windowRole(page, address); role != WindowRole::None) {
        text += std::string(" ") + roleText(role);
        if (role == WindowRole::Command && value == protocol::kWindowStore) text += ": store";
        if (role == WindowRole::Command && value == protocol::kWindowFetch) text += ": fetch";
        if (role == WindowRole::Address) text = withName(text, codeOfLinear(value));
        return text;
      }
      return withName(text, codeOfRegister(page, address));
    }
    case protocol::kBlockRead:
    case protocol::kMultiWrite: {
      const bool block = f[0] == protocol::kBlockRead;
      const int n = f[1] - '0';
      if (n < 1 || n > static_cast<int>(protocol::kMaxBlockCount)) return {};
      std::string text = block ? "block read" : "multi-write";
      for (int i = 0; i < n; ++i) {
        const std::size_t at = 2 + static_cast<std::size_t>(i) * (block ? 4 : 8);
        const int reg = hexWord(f, at);
        if (reg < 0) break;
        char item[32];
        std::snprintf(item, sizeof item, "%s %03X", i ? "," : "", reg);
        text += item;
        if (!block) {
          const int value = hexWord(f, at + 4);
          if (value < 0) break;
          text += " " + hex16(value);
        }
      }
      return text;
    }
    default: return {};
  }
}

std::string driveLinkReply(std::uint8_t requestType, std::span<const std::uint8_t> reply) {
  if (reply.empty() || reply[0] != protocol::kReplyOk) return {};
  if (requestType == protocol::kWrite || requestType == protocol::kMultiWrite) return "acknowledged";
  if (reply.size() == protocol::kReadReplyLength) {
    const int value = hexWord(reply, 1);
    if (value >= 0) return hex16(value);
  }
  return {};
}

namespace {

// Station, function and the four data bytes of a Modbus request, from either framing.
struct ModbusFields {
  int station = -1, function = -1, reg = -1, data = -1;
};

ModbusFields modbusFields(std::span<const std::uint8_t> f, bool ascii) {
  ModbusFields m;
  if (ascii) {
    if (f.size() < 13 || f[0] != protocol::kModbusAsciiStart) return m;
    m.station = hexByte(f, 1);
    m.function = hexByte(f, 3);
    m.reg = hexWord(f, 5);
    m.data = hexWord(f, 9);
  } else if (f.size() >= 6) {
    m.station = f[0];
    m.function = f[1];
    m.reg = f[2] << 8 | f[3];
    m.data = f[4] << 8 | f[5];
  }
  return m;
}

}  // namespace

std::string modbusRequest(std::span<const std::uint8_t> f, bool ascii) {
  const ModbusFields m = modbusFields(f, ascii);
  if (m.station < 0 || m.function < 0 || m.reg < 0 || m.data < 0) return {};
  char text[64];
  if (m.function == protocol::kModbusReadHolding)
    std::snprintf(text, sizeof text, "station %d read %03X x%d", m.station, m.reg, m.data);
  else if (m.function == protocol::kModbusWriteSingle)
    std::snprintf(text, sizeof text, "station %d write %03X = %d", m.station, m.reg, m.data);
  else
    return {};
  return withName(text, codeOfModbusRegister(m.reg));
}

std::string modbusReply(std::span<const std::uint8_t> reply, bool ascii) {
  int station = -1, function = -1, first = -1;
  if (ascii) {
    station = hexByte(reply, 1);
    function = hexByte(reply, 3);
    first = hexByte(reply, 5);
  } else if (reply.size() >= 3) {
    station = reply[0];
    function = reply[1];
    first = reply[2];
  }
  if (station < 0 || function < 0 || first < 0) return {};
  char text[64];
  if (function & protocol::kModbusExceptionBit) {
    std::snprintf(text, sizeof text, "station %d exception %d", station, first);
    return text;
  }
  if (function == protocol::kModbusReadHolding) {
    const int value = ascii ? hexWord(reply, 7) : (reply.size() >= 5 ? reply[3] << 8 | reply[4] : -1);
    if (value < 0) return {};
    std::snprintf(text, sizeof text, "station %d ", station);
    return text + hex16(value);
  }
  std::snprintf(text, sizeof text, "station %d acknowledged", station);
  return text;
}

}  // namespace zavo::framedecoding
