// zavoctl frame: prints a request frame exactly as it goes on the wire.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Numbers.h"
#include "link/DriveLinkCodec.h"
#include "link/ModbusCodec.h"
#include "link/Protocol.h"

namespace zavo::cli {
namespace {

constexpr const char* kHelp =
    "Usage: zavoctl frame KIND ARGS...\n"
    "Prints one request frame as sent to the drive.\n\n"
    "  frame read PAGE ADDR                 DriveLink read request, e.g. 'frame read 5 0x36' -> R536F0\n"
    "  frame write PAGE ADDR VALUE          DriveLink write request\n"
    "  frame block REG...                   DriveLink block read of 1-9 16-bit register numbers\n"
    "  frame multi REG=VALUE...             DriveLink multi-write of 1-9 pairs\n"
    "  frame modbus-read --ascii|--rtu STATION REG COUNT    Modbus function 03\n"
    "  frame modbus-write --ascii|--rtu STATION REG VALUE   Modbus function 06\n\n"
    "PAGE is one character (5, 6, C, B...). Numbers are decimal or 0x-hex; VALUE may be\n"
    "negative (only its low 16 bits are sent). Modbus ASCII frames print CR LF as \\r\\n,\n"
    "RTU frames as hex byte pairs.\n";

std::optional<long> numberIn(const std::string& text, long lo, long hi) {
  const auto v = parseNumber(text);
  if (!v || *v < lo || *v > hi) return std::nullopt;
  return v;
}

int badNumber(const std::string& what, const std::string& text) {
  return usageError("frame: invalid " + what + " '" + text + "'");
}

std::optional<int> pageOf(const std::string& text) {
  if (text.size() != 1) return std::nullopt;
  return static_cast<unsigned char>(text[0]);
}

void printText(const Frame& f) {
  std::string out;
  for (std::size_t i = 0; i < f.size; ++i) {
    const char c = static_cast<char>(f.bytes[i]);
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  std::printf("%s\n", out.c_str());
}

void printHex(const Frame& f) {
  for (std::size_t i = 0; i < f.size; ++i) std::printf(i ? " %02X" : "%02X", f.bytes[i]);
  std::printf("\n");
}

int pageAddress(Args a, bool withValue) {
  const std::size_t want = withValue ? 3 : 2;
  if (a.size() != want) return usageError(withValue ? "frame write needs PAGE ADDR VALUE" : "frame read needs PAGE ADDR");
  const auto page = pageOf(a[0]);
  if (!page) return usageError("frame: PAGE must be one character, got '" + a[0] + "'");
  const auto addr = numberIn(a[1], 0, 255);
  if (!addr) return badNumber("address (0-255)", a[1]);
  if (!withValue) {
    printText(drivelink::readRequest(*page, static_cast<int>(*addr)));
    return kExitOk;
  }
  const auto value = parseNumber(a[2]);
  if (!value) return badNumber("value", a[2]);
  printText(drivelink::writeRequest(*page, static_cast<int>(*addr), *value));
  return kExitOk;
}

int block(Args a) {
  if (a.empty() || a.size() > protocol::kMaxBlockCount) return usageError("frame block needs 1 to 9 register numbers");
  std::vector<long> regs;
  for (const auto& s : a) {
    const auto r = numberIn(s, 0, 0xFFFF);
    if (!r) return badNumber("register number (0-0xFFFF)", s);
    regs.push_back(*r);
  }
  printText(drivelink::blockRead(regs));
  return kExitOk;
}

int multi(Args a) {
  if (a.empty() || a.size() > protocol::kMaxBlockCount) return usageError("frame multi needs 1 to 9 REG=VALUE pairs");
  std::vector<long> regs, values;
  for (const auto& s : a) {
    const auto eq = s.find('=');
    if (eq == std::string::npos) return usageError("frame multi: expected REG=VALUE, got '" + s + "'");
    const auto r = numberIn(s.substr(0, eq), 0, 0xFFFF);
    const auto v = parseNumber(s.substr(eq + 1));
    if (!r) return badNumber("register number (0-0xFFFF)", s.substr(0, eq));
    if (!v) return badNumber("value", s.substr(eq + 1));
    regs.push_back(*r);
    values.push_back(*v);
  }
  printText(drivelink::multiWrite(regs, values));
  return kExitOk;
}

int modbusFrame(Args a, bool read) {
  const char* shape = read ? "frame modbus-read --ascii|--rtu STATION REG COUNT"
                           : "frame modbus-write --ascii|--rtu STATION REG VALUE";
  if (a.size() != 4 || (a[0] != "--ascii" && a[0] != "--rtu")) return usageError(std::string("usage: ") + shape);
  const bool ascii = a[0] == "--ascii";
  const auto station = numberIn(a[1], 0, 255);
  const auto reg = numberIn(a[2], 0, 0xFFFF);
  if (!station) return badNumber("station (0-255)", a[1]);
  if (!reg) return badNumber("register (0-0xFFFF)", a[2]);
  std::optional<long> last = read ? numberIn(a[3], 0, 0xFFFF) : parseNumber(a[3]);
  if (!last) return badNumber(read ? "count (0-0xFFFF)" : "value", a[3]);
  const auto req = read ? modbus::readRequest(static_cast<int>(*station), static_cast<int>(*reg), static_cast<int>(*last), ascii)
                        : modbus::writeRequest(static_cast<int>(*station), static_cast<int>(*reg), static_cast<int>(*last), ascii);
  ascii ? printText(req.frame) : printHex(req.frame);
  return kExitOk;
}

int runFrame(Args args) {
  if (wantsHelp(args)) {
    std::printf("%s", kHelp);
    return kExitOk;
  }
  if (args.empty()) return usageError("frame needs a KIND (read, write, block, multi, modbus-read, modbus-write)");
  const std::string& kind = args[0];
  const Args rest = args.subspan(1);
  if (kind == "read") return pageAddress(rest, false);
  if (kind == "write") return pageAddress(rest, true);
  if (kind == "block") return block(rest);
  if (kind == "multi") return multi(rest);
  if (kind == "modbus-read") return modbusFrame(rest, true);
  if (kind == "modbus-write") return modbusFrame(rest, false);
  return usageError("frame: unknown kind '" + kind + "'");
}

const CommandRegistrar reg("frame", "print a DriveLink or Modbus request frame as sent", runFrame);

}  // namespace
}  // namespace zavo::cli
