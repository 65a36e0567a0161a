// zavoctl dio show / dio set: the drive's contact (DI/DO) planning, as the DI/DO Contact Set
// Property dialog reads, checks and writes it.

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/TerminalProgress.h"
#include "link/PlanningTransfer.h"
#include "params/catalogue/DriveContext.h"
#include "planning/DioPlan.h"
#include "planning/PlanningWrites.h"

namespace zavo::cli {
namespace {

using planning::DioLayout;
using planning::DioPlan;
using planning::Side;

constexpr const char* kUsage =
    "Usage: zavoctl dio show [--stored] [--json] [options]\n"
    "       zavoctl dio set TERMINAL=FUNCTION[:LEVEL]... [--dry-run] [options]\n"
    "The drive's DI/DO contact planning.\n"
    "  show       one line per terminal: terminal, parameter, function code (hex), name and\n"
    "             active level ('?' and the value for a value naming no function), then the\n"
    "             group's other members. --stored: the values the drive applies at its next\n"
    "             power-on (fetched through its window; DriveLink only).\n"
    "  set        reads the group, gives the terminals their functions, checks the whole\n"
    "             assignment and writes the group back (the drive applies it after a restart).\n"
    "             TERMINAL is DI-k or DO-k; FUNCTION a name (SON, rdy) or its code in hex as\n"
    "             show prints it (0A, 0x0A); LEVEL 0 or 1 (default 1). --dry-run: check and\n"
    "             print, write nothing.\n"
    "Exit: 0 done, 1 link or drive failure, 2 refused input or a conflict (nothing written).";

struct Assignment {
  Side side;
  int terminal;
  int code;
  int level;
};

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// "DI-3=SON:1" against what the drive type offers; a usage message when it is not.
std::optional<Assignment> parseAssignment(const std::string& arg, const DioLayout& layout, std::string& error) {
  const auto eq = arg.find('=');
  if (eq == std::string::npos) {
    error = "expected TERMINAL=FUNCTION[:LEVEL], got '" + arg + "'";
    return std::nullopt;
  }
  const std::string terminal = upper(arg.substr(0, eq));
  std::string function = arg.substr(eq + 1);
  Assignment a{Side::In, -1, -1, 1};
  const auto colon = function.find(':');
  if (colon != std::string::npos) {
    const std::string level = function.substr(colon + 1);
    if (level != "0" && level != "1") {
      error = arg + ": the level is 0 or 1";
      return std::nullopt;
    }
    a.level = level[0] - '0';
    function.resize(colon);
  }
  a.side = terminal.rfind("DO-", 0) == 0 ? Side::Out : Side::In;
  if (terminal.rfind("DI-", 0) == 0 || terminal.rfind("DO-", 0) == 0) {
    const std::string k = terminal.substr(3);
    if (!k.empty() && k.size() <= 2 && std::isdigit(static_cast<unsigned char>(k[0])) &&
        (k.size() == 1 || std::isdigit(static_cast<unsigned char>(k[1]))))
      a.terminal = std::stoi(k) - 1;
  }
  if (a.terminal < 0 || a.terminal >= layout.terminals(a.side)) {
    error = "drive type " + std::to_string(layout.driveType()) + " has no terminal '" + arg.substr(0, eq) + "'";
    return std::nullopt;
  }
  a.code = planning::functionCode(a.side, function);
  if (a.code < 0 || !layout.offers(a.side, DioLayout::rowOfCode(a.side, a.code))) {
    error = "drive type " + std::to_string(layout.driveType()) + " offers no " + (a.side == Side::In ? "input" : "output") +
            " function '" + function + "'";
    return std::nullopt;
  }
  return a;
}

std::string hex(int v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, static_cast<unsigned>(v) & 0xFFFFu);
  return buf;
}

void printText(const DioPlan& plan, const std::vector<std::int32_t>& group) {
  const DioLayout& l = plan.layout();
  for (const Side side : {Side::In, Side::Out})
    for (int t = 0; t < l.terminals(side); ++t) {
      const auto& c = plan.column(side, t);
      const std::string head = DioLayout::terminalName(side, t) + " " + l.parameter(side, t);
      if (c.known)
        std::printf("%s %s %s %d\n", head.c_str(), hex(c.code(side), 2).c_str(), planning::functionName(side, c.code(side)).c_str(),
                    c.level());
      else
        std::printf("%s ? %s\n", head.c_str(), hex(c.read, 4).c_str());
    }
  for (std::size_t i = static_cast<std::size_t>(l.firstOther()); i < l.names().size(); ++i)
    std::printf("%s %s\n", l.names()[i].c_str(), hex(group[i], 4).c_str());
}

void printJson(const DioPlan& plan, const std::vector<std::int32_t>& group) {
  const DioLayout& l = plan.layout();
  std::string json = "{";
  for (const Side side : {Side::In, Side::Out}) {
    json += side == Side::In ? "\"di\":[" : ",\"do\":[";
    for (int t = 0; t < l.terminals(side); ++t) {
      const auto& c = plan.column(side, t);
      json += (t ? "," : "") + std::string("{\"terminal\":\"") + DioLayout::terminalName(side, t) + "\",\"parameter\":\"" +
              l.parameter(side, t) + "\",\"value\":" + std::to_string(c.read) + ",\"function\":" +
              (c.known ? std::to_string(c.code(side)) : "null") + ",\"name\":\"" +
              (c.known ? planning::functionName(side, c.code(side)) : "?") + "\",\"level\":" +
              (c.known ? std::to_string(c.level()) : "null") + "}";
    }
    json += "]";
  }
  json += ",\"other\":[";
  for (std::size_t i = static_cast<std::size_t>(l.firstOther()); i < l.names().size(); ++i)
    json += (i > static_cast<std::size_t>(l.firstOther()) ? "," : "") + std::string("{\"parameter\":\"") + l.names()[i] +
            "\",\"value\":" + std::to_string(group[i]) + "}";
  std::printf("%s]}\n", json.c_str());
}

// The group as the dialog reads it (each parameter's running value), or what the drive keeps
// for its next power-on.
bool readGroup(DriveSession& drive, bool stored, std::vector<std::int32_t>& group) {
  const int type = driveContext().driveType;
  if (!stored) {
    TerminalProgress progress;
    PlanningTransfer transfer(drive.ops(), progress);
    if (!transfer.readDiDo(drive.doc())) return false;
    group = planning::contactGroup(drive.doc(), type);
    return true;
  }
  group.clear();
  const DioLayout layout = DioLayout::of(type);
  for (const auto& name : layout.names()) {
    std::int32_t raw = 0;
    if (!drive.ops().fetchParameter(name, raw)) {
      std::fprintf(stderr, "zavoctl: %s: no valid reply from the drive\n", name.c_str());
      return false;
    }
    group.push_back(DriveOperations::rawToDisplay(name, raw));
  }
  return true;
}

int runShow(const DriveOptions& o, const std::vector<std::string>& rest) {
  bool stored = false;
  for (const auto& a : rest) {
    if (a != "--stored") return usageError("dio show: unexpected '" + a + "'");
    stored = true;
  }
  if (stored && o.modbus) return usageError("dio show --stored fetches through the drive's window: DriveLink only");
  DriveSession drive(o);
  if (!drive.connect()) return kExitLinkFailure;
  std::vector<std::int32_t> group;
  if (!readGroup(drive, stored, group)) return kExitLinkFailure;
  const DioPlan plan(driveContext().driveType, group);
  if (o.json)
    printJson(plan, group);
  else
    printText(plan, group);
  return kExitOk;
}

int runSet(const DriveOptions& o, const std::vector<std::string>& rest) {
  bool dryRun = false;
  std::vector<Assignment> assignments;
  const DioLayout layout = DioLayout::of(o.driveType);
  for (const auto& a : rest) {
    if (a == "--dry-run") {
      dryRun = true;
      continue;
    }
    std::string error;
    const auto parsed = parseAssignment(a, layout, error);
    if (!parsed) return usageError("dio set: " + error);
    assignments.push_back(*parsed);
  }
  if (assignments.empty()) return usageError("dio set needs at least one TERMINAL=FUNCTION");
  DriveSession drive(o);
  if (!drive.connect()) return kExitLinkFailure;
  std::vector<std::int32_t> group;
  if (!readGroup(drive, false, group)) return kExitLinkFailure;
  DioPlan plan(driveContext().driveType, group);
  for (const auto& a : assignments) plan.assign(a.side, a.terminal, a.code, a.level);
  if (const auto note = plan.conflictNote()) {
    std::fprintf(stderr, "%s\n%s\n", note->title.c_str(), note->text.c_str());
    return kExitUsage;
  }
  if (dryRun) {
    const auto values = plan.values();
    const DioPlan planned(driveContext().driveType, values);
    if (o.json)
      printJson(planned, values);
    else
      printText(planned, values);
    return kExitOk;
  }
  TerminalProgress progress;
  PlanningTransfer transfer(drive.ops(), progress);
  return planning::writeContactPlan(transfer, drive.doc(), plan) ? kExitOk : kExitLinkFailure;
}

int runDio(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  if (o->rest.empty()) return usageError("dio needs show or set (see zavoctl dio --help)");
  applyDriveType(o->driveType);
  const std::string sub = o->rest[0];
  const std::vector<std::string> rest(o->rest.begin() + 1, o->rest.end());
  if (sub == "show") return runShow(*o, rest);
  if (sub == "set") return runSet(*o, rest);
  return usageError("dio: unknown subcommand '" + sub + "' (show or set)");
}

const CommandRegistrar r("dio", "show or set the DI/DO contact planning of a drive", runDio);

}  // namespace
}  // namespace zavo::cli
