// zavoctl read / write / read-reg / write-reg: single parameters and registers on a drive.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Numbers.h"
#include "cli/ParameterArgs.h"
#include "editors/ParameterSetTexts.h"
#include "editors/ValueEditorRules.h"
#include "link/ParameterWriteRules.h"
#include "params/catalogue/Catalogue.h"

namespace zavo::cli {
namespace {

int runRead(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl read CODE... [options]\n"
      "Reads parameters from the drive and prints 'CODE VALUE' lines (display units),\n"
      "or one JSON object with --json.";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  if (o->rest.empty()) return usageError("read needs at least one parameter code");
  applyDriveType(o->driveType);
  for (const auto& code : o->rest) {
    if (!knownParameter(code)) return usageError("unknown parameter '" + code + "' on drive type " + std::to_string(o->driveType));
    if (o->modbus && !DriveOperations::isDisplayCode(code) && catalogue::modbusRegister(code) < 0)
      return usageError(code + " has no Modbus register");
  }
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  std::string json = "{";
  for (std::size_t i = 0; i < o->rest.size(); ++i) {
    const auto& code = o->rest[i];
    const int ok = DriveOperations::isDisplayCode(code) ? drive.ops().readDisplayValue(code)
                   : drive.modbus()                       ? drive.ops().modbusReadParameter(code, drive.ascii())
                                                          : drive.ops().readParameter(code);
    if (!ok) {
      std::fprintf(stderr, "zavoctl: %s: no valid reply from the drive\n", code.c_str());
      return kExitLinkFailure;
    }
    const std::int32_t v = drive.ops().lastValue();
    if (o->json)
      json += (i ? ", \"" : "\"") + code + "\": " + std::to_string(v);
    else
      std::printf("%s %s\n", code.c_str(), catalogue::valueText(code, v).c_str());
  }
  if (o->json) std::printf("%s}\n", json.c_str());
  return kExitOk;
}

int runWrite(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl write CODE=VALUE... [options]\n"
      "Writes parameters (display units) to the drive, each checked against its limits first.";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  if (o->rest.empty()) return usageError("write needs at least one CODE=VALUE");
  applyDriveType(o->driveType);
  std::vector<std::pair<std::string, std::int32_t>> writes;
  for (const auto& a : o->rest) {
    const auto eq = a.find('=');
    if (eq == std::string::npos) return usageError("write: expected CODE=VALUE, got '" + a + "'");
    const std::string code = a.substr(0, eq);
    const auto value = parseNumber(a.substr(eq + 1));
    if (!knownParameter(code)) return usageError("unknown parameter '" + code + "'");
    if (DriveOperations::isDisplayCode(code)) return usageError(code + " is a display value: it can only be read");
    if (!value) return usageError("write: invalid value in '" + a + "'");
    // The value editor's verdict: the limits, and the values the drive refuses within them.
    std::int32_t min = 0, max = 0;
    if (parameterLimits(code, min, max) &&
        judgeNumber({code, min, max, o->driveType}, *value) != ValueVerdict::Accepted)
      return usageError(code + ": " + std::to_string(*value) + " is out of range " +
                        rangeLabel({code, min, max, o->driveType}) + ": " + settext::outOfRange());
    const std::int32_t v = static_cast<std::int32_t>(*value);
    if (const auto refused = o->modbus ? writerules::modbusRefusal(code, v) : writerules::refusal(code))
      return usageError(*refused);
    writes.emplace_back(code, static_cast<std::int32_t>(*value));
  }
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  for (const auto& [code, value] : writes) {
    const int ok = drive.modbus() ? drive.ops().modbusWriteParameter(code, value, drive.ascii())
                                  : drive.ops().writeParameter(code, value);
    if (!ok) {
      std::fprintf(stderr, "zavoctl: %s was not written\n", code.c_str());
      return kExitLinkFailure;
    }
  }
  return kExitOk;
}

std::optional<int> pageArg(const std::string& s) {
  if (s.size() != 1) return std::nullopt;
  return static_cast<unsigned char>(s[0]);
}

int runReadReg(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl read-reg PAGE ADDR [options]\n"
      "Reads one register (PAGE one character such as 5, 6, C; ADDR 0-255) and prints its value.";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  if (o->rest.size() != 2) return usageError("read-reg needs PAGE ADDR");
  const auto page = pageArg(o->rest[0]);
  const auto addr = parseNumber(o->rest[1]);
  if (!page) return usageError("read-reg: PAGE must be one character");
  if (!addr || *addr < 0 || *addr > 255) return usageError("read-reg: invalid address '" + o->rest[1] + "'");
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  if (!drive.ops().readRegister(*page, static_cast<int>(*addr))) {
    std::fprintf(stderr, "zavoctl: no valid reply from the drive\n");
    return kExitLinkFailure;
  }
  if (o->json)
    std::printf("{\"value\": %d}\n", drive.ops().lastValue());
  else
    std::printf("%d\n", drive.ops().lastValue());
  return kExitOk;
}

int runWriteReg(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl write-reg PAGE ADDR VALUE [--store | --store-only] [options]\n"
      "Writes one register. --store first stores the value through the drive's window;\n"
      "--store-only stores it and writes nothing else (the drive applies it after a restart).";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  bool store = false, storeOnly = false;
  std::vector<std::string> pos;
  for (const auto& a : o->rest) {
    if (a == "--store") store = true;
    else if (a == "--store-only") storeOnly = true;
    else pos.push_back(a);
  }
  if (pos.size() != 3) return usageError("write-reg needs PAGE ADDR VALUE");
  if (store && storeOnly) return usageError("write-reg: give --store or --store-only, not both");
  const auto page = pageArg(pos[0]);
  const auto addr = parseNumber(pos[1]);
  const auto value = parseNumber(pos[2]);
  if (!page) return usageError("write-reg: PAGE must be one character");
  if (!addr || *addr < 0 || *addr > 255) return usageError("write-reg: invalid address '" + pos[1] + "'");
  if (!value) return usageError("write-reg: invalid value '" + pos[2] + "'");
  // Only the parameter pages have a stored copy; any other page would store over a
  // parameter's word.
  if (storeOnly && !DriveOperations::storedLinear(*page, static_cast<int>(*addr)))
    return usageError("write-reg: page " + pos[0] + " has no stored copy; --store-only takes page 5 or C");
  applyDriveType(o->driveType);
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  const int a = static_cast<int>(*addr);
  const auto v = static_cast<std::int32_t>(*value);
  if (!(storeOnly ? drive.ops().storeRegister(*page, a, v) : drive.ops().writeRegister(*page, a, v, store))) {
    std::fprintf(stderr, "zavoctl: the drive did not take the write\n");
    return kExitLinkFailure;
  }
  return kExitOk;
}

const CommandRegistrar r1("read", "read parameters from a drive", runRead);
const CommandRegistrar r2("write", "write parameters to a drive", runWrite);
const CommandRegistrar r3("read-reg", "read one drive register", runReadReg);
const CommandRegistrar r4("write-reg", "write one drive register", runWriteReg);

}  // namespace
}  // namespace zavo::cli
