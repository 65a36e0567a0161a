#include "sim/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "link/Protocol.h"
#include "link/ScanPlan.h"
#include "sim/Register.h"
#include "sim/SimConstants.h"

namespace zavo::sim {
namespace {

constexpr long kBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400};
constexpr int kMaxDriveType = 4;
constexpr double kMaxTurnaroundMs = 10000;

bool integer(const std::string& s, long long lo, long long hi, long long& out) {
  long long v = 0;
  const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc{} || p != s.data() + s.size() || v < lo || v > hi) return false;
  out = v;
  return true;
}

bool unsigned64(const std::string& s, std::uint64_t& out) {
  std::uint64_t v = 0;
  const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc{} || p != s.data() + s.size()) return false;
  out = v;
  return true;
}

// A decimal number in [lo, hi].
bool number(const std::string& s, double lo, double hi, double& out) {
  char* end = nullptr;
  const double x = std::strtod(s.c_str(), &end);
  if (s.empty() || end != s.c_str() + s.size() || !(x >= lo && x <= hi)) return false;
  out = x;
  return true;
}

// The mechanics: generous ranges, but a motor of no inertia or a friction beyond the torque
// the drive can give would be no axis at all.
constexpr double kMaxInertiaRatio = 100;
constexpr double kMinMotorInertia = 0.01, kMaxMotorInertia = 1000;
constexpr double kMaxFrictionPercent = 100;

// Decimal or 0x-hexadecimal, optionally negative.
bool signedNumber(std::string_view s, long long lo, long long hi, long long& out) {
  bool negative = false;
  if (!s.empty() && s.front() == '-') {
    negative = true;
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  long long v = 0;
  const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (s.empty() || ec != std::errc{} || p != s.data() + s.size()) return false;
  if (negative) v = -v;
  if (v < lo || v > hi) return false;
  out = v;
  return true;
}

std::vector<std::string_view> fields(std::string_view list) {
  std::vector<std::string_view> out;
  for (std::size_t start = 0;;) {
    const std::size_t comma = list.find(',', start);
    out.push_back(list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return out;
    start = comma + 1;
  }
}

// Up to ten codes, the current alarm first; the older entries not given are 0.
bool alarmList(std::string_view list, AlarmHistory::Codes& codes) {
  const auto f = fields(list);
  if (f.size() > codes.size()) return false;
  codes = {};
  for (std::size_t i = 0; i < f.size(); ++i) {
    long long code = 0;
    if (!signedNumber(f[i], 0, 0xFFFF, code)) return false;
    codes[i] = static_cast<std::uint16_t>(code);
  }
  return true;
}

// REG=VALUE: the page character and two hex digits of the address ("B13"), then a word that
// may be given signed.
bool pinList(std::string_view list, std::vector<SimOptions::Pin>& pins) {
  for (std::string_view f : fields(list)) {
    const std::size_t eq = f.find('=');
    if (eq != 3) return false;
    long long address = 0, value = 0;
    const auto [p, ec] = std::from_chars(f.data() + 1, f.data() + 3, address, 16);
    if (ec != std::errc{} || p != f.data() + 3 || pageIndexOf(f[0]) < 0) return false;
    if (!signedNumber(f.substr(eq + 1), -0x8000, 0xFFFF, value)) return false;
    pins.push_back({f[0], static_cast<int>(address), static_cast<std::uint16_t>(value & 0xFFFF)});
  }
  return true;
}

// A comma list of integers as written, repeats and all (anything else gives nothing).
std::vector<int> listOf(const std::string& text) {
  std::vector<int> out;
  std::size_t from = 0;
  while (from <= text.size()) {
    const std::size_t comma = std::min(text.find(',', from), text.size());
    long long n = 0;
    if (!integer(text.substr(from, comma - from), 0, 10000000, n)) return {};
    out.push_back(static_cast<int>(n));
    from = comma + 1;
  }
  return out;
}

bool knownBaud(long long b) {
  for (const long k : kBauds)
    if (k == b) return true;
  return false;
}

// What is wrong with the bus the options describe ("" when nothing is).
std::string busError(const SimOptions& o) {
  const std::size_t drives = o.busStations.empty() ? 1 : o.busStations.size();
  if (o.busStations.empty() && !o.busDriveTypes.empty()) return "a list of drive types needs --stations";
  if (o.busDriveTypes.size() > 1 && o.busDriveTypes.size() != drives)
    return "--drive-type lists " + std::to_string(o.busDriveTypes.size()) + " types for " + std::to_string(drives) +
           " stations";
  if (o.bauds.size() > 1 && o.bauds.size() != drives)
    return "--bauds lists " + std::to_string(o.bauds.size()) + " rates for " + std::to_string(drives) + " drives";
  // Several drives share the line by their Modbus stations; DriveLink has none.
  if (drives > 1 && o.line == LineProtocol::DriveLink) return "a bus of --stations talks Modbus: give --modbus";
  return {};
}

}  // namespace

const char* CommandLine::usage() {
  return "Usage: zavodrive-sim [options]\n"
         "A virtual servo drive on a pseudo-terminal. Prints 'PORT <path>' first, serves until\n"
         "SIGINT or SIGTERM.\n\n"
         "  --drive-type T      0 PDXR, 1 PDXA, 2 M7 (default), 3 M7-R, 4 extended M7-R;\n"
         "                      one per station for a bus: 2,3,2\n"
         "  --baud N            line speed for --pace (default 19200)\n"
         "  --pace              keep serial-line time: characters take bits/baud each way\n"
         "  --turnaround-ms X   pause before a paced reply (default 0.5)\n"
         "  --modbus ascii|rtu  also answer Modbus at --station (DriveLink stays on)\n"
         "  --station N         Modbus station 1-255 (default 1)\n"
         "  --stations LIST     a bus: a drive at each station (1,5,17), each with its own\n"
         "                      memory, answering only its own address\n"
         "  --bauds LIST        the rate each drive answers at (one per drive, or one for\n"
         "                      all); a program at another rate is not heard\n"
         "  --format F          Modbus line format 0-8 (default 0 for ASCII, 6 for RTU)\n"
         "  --link PATH         keep a symbolic link to the pty at PATH\n"
         "  --state FILE        keep the stored parameters and alarm history in FILE\n"
         "  --log FILE          one line per request: ms, request -> reply\n"
         "  --faults LIST       drop=P,corrupt=P,refuse=P,garbage=P,delay-ms=N,\n"
         "                      unplug-after=N,replug-ms=M,refuse-reg=REG (writes to\n"
         "                      register REG, as C27, answer '!'; may repeat),\n"
         "                      echo (every request comes back before its reply)\n"
         "  --seed N            seed of the faults and of the motor's motion (default 1)\n"
         "  --trace-port-refused  answer '#' to the trace set-up and trace block reads\n"
         "  --servo on|off      the servo-on input (bit 0 of 666; default on)\n"
         "  --inertia-ratio R   load inertia / motor inertia (default 3)\n"
         "  --motor-inertia J   motor inertia in kg·cm² (default 0.34)\n"
         "  --friction PCT      Coulomb friction, % of rated torque (default 2)\n"
         "  --viscous PCT       viscous friction, % of rated torque per 1000 rpm (default 1)\n"
         "  --alarms C0,..,C9   alarm history at power-on, the current alarm first\n"
         "                      (over what --state kept)\n"
         "  --pin REG=VALUE,... hold registers at a word (REG: page and two hex digits,\n"
         "                      B13; VALUE decimal or 0x-hex, may be negative)\n"
         "  --help              this text\n";
}

CommandLine CommandLine::parse(const std::vector<std::string>& args) {
  CommandLine c;
  SimOptions& o = c.options;
  bool modbusGiven = false;
  const auto bad = [&c](const std::string& why) {
    c.error = why;
    return c;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      c.help = true;
      continue;
    }
    if (a == "--pace") {
      o.pace = true;
      continue;
    }
    if (a == "--trace-port-refused") {
      o.tracePortRefused = true;
      continue;
    }
    if (i + 1 >= args.size()) return bad(a.rfind("--", 0) == 0 ? a + " needs a value" : "unknown argument '" + a + "'");
    const std::string& v = args[++i];
    long long n = 0;
    if (a == "--drive-type") {
      const auto types = listOf(v);
      if (types.empty() || std::any_of(types.begin(), types.end(), [](int t) { return t > kMaxDriveType; }))
        return bad("--drive-type must be 0-4, or one per station: 2,3,2");
      o.driveType = types.front();
      o.busDriveTypes = types.size() > 1 ? types : std::vector<int>{};
    } else if (a == "--stations") {
      const auto stations = parseNumberList(v, 1, kMaxStation, nullptr);
      if (!stations) return bad("--stations must list stations 1-255: 1,5,17");
      o.busStations = *stations;
    } else if (a == "--bauds") {
      o.bauds.clear();
      for (const int b : listOf(v)) {
        if (!knownBaud(b)) return bad("--bauds must list standard rates: 19200,9600");
        o.bauds.push_back(b);
      }
    } else if (a == "--baud") {
      if (!integer(v, 1, 10000000, n) || !knownBaud(n)) return bad("--baud must be a standard rate (4800-115200...)");
      o.baud = static_cast<long>(n);
    } else if (a == "--turnaround-ms") {
      char* end = nullptr;
      const double x = std::strtod(v.c_str(), &end);
      if (v.empty() || end != v.c_str() + v.size() || !(x >= 0 && x <= kMaxTurnaroundMs))
        return bad("--turnaround-ms must be a number of milliseconds");
      o.turnaroundMs = x;
    } else if (a == "--modbus") {
      if (v != "ascii" && v != "rtu") return bad("--modbus must be ascii or rtu");
      o.line = v == "ascii" ? LineProtocol::ModbusAscii : LineProtocol::ModbusRtu;
      modbusGiven = true;
    } else if (a == "--station") {
      if (!integer(v, 1, kMaxStation, n)) return bad("--station must be 1-255");
      o.station = static_cast<int>(n);
    } else if (a == "--format") {
      if (!integer(v, 0, protocol::kModbusFormatCount - 1, n)) return bad("--format must be 0-8");
      o.modbusFormat = static_cast<int>(n);
    } else if (a == "--link") {
      o.linkPath = v;
    } else if (a == "--state") {
      o.statePath = v;
    } else if (a == "--log") {
      o.logPath = v;
    } else if (a == "--faults") {
      std::string why;
      const auto f = FaultPlan::parse(v, &why);
      if (!f) return bad("--faults: " + why);
      o.faults = *f;
    } else if (a == "--alarms") {
      AlarmHistory::Codes codes{};
      if (!alarmList(v, codes)) return bad("--alarms takes up to ten codes 0-65535, the current alarm first");
      o.alarms = codes;
    } else if (a == "--pin") {
      if (!pinList(v, o.pins)) return bad("--pin takes REG=VALUE[,...]: REG a page character and two hex digits (B13)");
    } else if (a == "--seed") {
      if (!unsigned64(v, o.seed)) return bad("--seed must be a non-negative integer");
    } else if (a == "--servo") {
      if (v != "on" && v != "off") return bad("--servo must be on or off");
      o.axis.servoOn = v == "on";
    } else if (a == "--inertia-ratio") {
      if (!number(v, 0, kMaxInertiaRatio, o.axis.mechanics.inertiaRatio)) return bad("--inertia-ratio must be 0-100");
    } else if (a == "--motor-inertia") {
      if (!number(v, kMinMotorInertia, kMaxMotorInertia, o.axis.mechanics.motorInertiaKgCm2))
        return bad("--motor-inertia must be 0.01-1000 kg·cm²");
    } else if (a == "--friction") {
      if (!number(v, 0, kMaxFrictionPercent, o.axis.mechanics.coulombPercent)) return bad("--friction must be 0-100 %");
    } else if (a == "--viscous") {
      if (!number(v, 0, kMaxFrictionPercent, o.axis.mechanics.viscousPercent)) return bad("--viscous must be 0-100 %");
    } else {
      return bad("unknown argument '" + a + "'");
    }
  }
  if (const std::string why = busError(o); !why.empty()) return bad(why);
  if (o.modbusFormat >= 0) {
    if (!modbusGiven) return bad("--format applies to Modbus: give --modbus ascii or rtu");
    // A format frames one way only: 7-bit formats cannot carry RTU, and the reconnect of
    // the program derives the framing from the format.
    const bool ascii = protocol::kModbusFormats[o.modbusFormat].ascii;
    if (ascii != (o.line == LineProtocol::ModbusAscii))
      return bad("--format " + std::to_string(o.modbusFormat) + " is an " + (ascii ? "ASCII" : "RTU") +
                 " format, not --modbus " + (ascii ? "rtu" : "ascii"));
  }
  return c;
}

}  // namespace zavo::sim
