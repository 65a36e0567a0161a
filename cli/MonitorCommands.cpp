// zavoctl monitor / status / alarms: the desktop program's monitor windows without windows.
// Each runs the same reads as the windows' ticks; a failed exchange ends it with the message
// the program shows when a tick loses the drive.

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/JsonText.h"
#include "cli/Numbers.h"
#include "cli/TuningRun.h"
#include "link/OperationTexts.h"
#include "monitor/DisplayFormat.h"
#include "monitor/Monitor.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::cli {
namespace {

constexpr long kDefaultPeriodMs = 1000;
constexpr long kMaxPeriodMs = 24L * 3600 * 1000;

// JSON text by the one escaping every JSON output of zavoctl shares.
std::string quoted(std::string_view s) { return jsonString(s); }

int linkLost() {
  std::fprintf(stderr, "%s\n", optext::linkLost().c_str());
  return kExitLinkFailure;
}

struct MonitorRequest {
  std::vector<int> items;
  bool fixed = false;
  long count = 1;
  long periodMs = kDefaultPeriodMs;
};

// The command's own arguments; a usage error message when they do not make a page.
std::optional<MonitorRequest> monitorRequest(const std::vector<std::string>& rest, int driveType, std::string& error) {
  MonitorRequest r;
  bool itemsGiven = false;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    if (a == "--fixed") {
      r.fixed = true;
      continue;
    }
    if (a != "--items" && a != "--count" && a != "--period-ms") {
      error = "monitor: unknown argument '" + a + "'";
      return std::nullopt;
    }
    if (i + 1 >= rest.size()) {
      error = a + " needs a value";
      return std::nullopt;
    }
    const std::string& v = rest[++i];
    if (a == "--items") {
      itemsGiven = true;
      for (std::size_t start = 0; start <= v.size();) {
        const std::size_t comma = std::min(v.find(',', start), v.size());
        const std::string name = v.substr(start, comma - start);
        const int item = monitor::parseItem(name);
        if (!monitor::isListed(item, driveType)) {
          error = "monitor: '" + name + "' is not a display item of drive type " + std::to_string(driveType);
          return std::nullopt;
        }
        r.items.push_back(item);
        start = comma + 1;
      }
      continue;
    }
    const auto n = parseNumber(v);
    const long hi = a == "--count" ? std::numeric_limits<int>::max() : kMaxPeriodMs;
    if (!n || *n < 0 || *n > hi) {
      error = "invalid " + a.substr(2) + " '" + v + "'";
      return std::nullopt;
    }
    (a == "--count" ? r.count : r.periodMs) = *n;
  }
  if (r.fixed && itemsGiven) error = "monitor: --fixed shows Un-01 to Un-19; it takes no --items";
  if (r.items.size() > static_cast<std::size_t>(kDisplayRows))
    error = "monitor: at most " + std::to_string(kDisplayRows) + " items";
  if (!error.empty()) return std::nullopt;
  return r;
}

void printTick(long tick, const DisplayPage& page, bool json) {
  if (!json) {
    for (const DisplayRow& row : page.rows) std::printf("%s %s\n", monitor::itemName(row.item).c_str(), row.text.c_str());
    std::fflush(stdout);
    return;
  }
  std::string out = "{\"tick\":" + std::to_string(tick) + ",\"rows\":[";
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const DisplayRow& row = page.rows[i];
    const std::string code = monitor::itemCode(row.item);
    out += (i ? ",{\"item\":" : "{\"item\":") + quoted(monitor::itemName(row.item)) +
           ",\"name\":" + quoted(catalogue::titleOf(code)) + ",\"unit\":" + quoted(catalogue::unitOf(code)) +
           ",\"value\":" + std::to_string(row.value) + ",\"text\":" + quoted(row.text) + "}";
  }
  std::printf("%s]}\n", out.c_str());
  std::fflush(stdout);
}

int runMonitor(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl monitor [--items Un01,Un09,...] [--fixed] [--count N] [--period-ms MS] [options]\n"
      "Reads display values as the display-value window does: N ticks (default 1; 0 runs until\n"
      "SIGINT) MS apart (default 1000), each the status read and then the page. --fixed reads\n"
      "Un-01 to Un-19; otherwise the configurable page with the given items (at most 20, by\n"
      "default its own twenty). Prints 'Un-09 -12.34' per row, or one JSON line per tick.";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  std::string error;
  const auto request = monitorRequest(o->rest, o->driveType, error);
  if (!request) return usageError(error);
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  Monitor monitor(drive.ops(), drive.doc());
  DisplayPage& page = monitor.openDisplay(request->fixed ? DisplayKind::Fixed : DisplayKind::Configurable);
  if (!request->items.empty()) {
    page.rows.resize(request->items.size());
    for (std::size_t i = 0; i < request->items.size(); ++i) page.rows[i].item = request->items[i];
  }
  page.enableAll(true);
  const InterruptGuard untilInterrupted;
  for (long tick = 1; request->count == 0 || tick <= request->count; ++tick) {
    if (tick > 1 && !pause(static_cast<int>(request->periodMs))) break;
    if (InterruptGuard::interrupted()) break;
    if (!drive.connection().statusRead() || !monitor.readDisplayPage(page)) return linkLost();
    printTick(tick, page, o->json);
  }
  return kExitOk;
}

// The text of a terminal with no label written: its number alone ("R5:").
std::string terminalLabel(const std::vector<std::string>& labels, std::size_t i, char prefix) {
  return i < labels.size() ? labels[i] : prefix + std::to_string(i + 1) + ":";
}

std::string jsonTerminals(const std::vector<bool>& on, const std::vector<std::string>& labels) {
  std::string out = "[";
  for (std::size_t i = 0; i < on.size(); ++i)
    out += std::string(i ? "," : "") + "{\"label\":" + quoted(i < labels.size() ? labels[i] : "") +
           ",\"on\":" + (on[i] ? "true" : "false") + "}";
  return out + "]";
}

int runStatus(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl status [options]\n"
      "Reads the diagnostics as the diagnostics window's first poll does (the terminal\n"
      "assignment first): dn-01 to dn-04, dn-08 and dn-09, then each shown terminal ON or OFF.";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc, 0);
  if (!o) return rc;
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  Monitor monitor(drive.ops(), drive.doc());
  DiagnosticsPage& page = monitor.openDiagnostics(o->driveType);
  NullProgress progress;
  if (!monitor.readDiagnostics(page, true, progress)) return linkLost();
  if (o->json) {
    std::string out = "{";
    for (std::size_t i = 0; i < kDiagnosticItems.size(); ++i) {
      const int item = kDiagnosticItems[i];
      char name[8];
      std::snprintf(name, sizeof name, "dn-%02d", item);
      out += std::string(i ? "," : "") + quoted(name) + ":{\"value\":" +
             std::to_string(drive.doc().diagnostics[static_cast<std::size_t>(item - 1)]) +
             ",\"text\":" + quoted(page.texts[i]) + "}";
    }
    out += ",\"inputs\":" + jsonTerminals(page.inputs, page.labels.inputs);
    out += ",\"outputs\":" + jsonTerminals(page.outputs, page.labels.outputs) + "}";
    std::printf("%s\n", out.c_str());
    return kExitOk;
  }
  for (std::size_t i = 0; i < kDiagnosticItems.size(); ++i)
    std::printf("dn-%02d %s\n", kDiagnosticItems[i], page.texts[i].c_str());
  for (std::size_t i = 0; i < page.inputs.size(); ++i)
    std::printf("%s %s\n", terminalLabel(page.labels.inputs, i, 'S').c_str(), page.inputs[i] ? "ON" : "OFF");
  for (std::size_t i = 0; i < page.outputs.size(); ++i)
    std::printf("%s %s\n", terminalLabel(page.labels.outputs, i, 'R').c_str(), page.outputs[i] ? "ON" : "OFF");
  return kExitOk;
}

int runAlarms(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl alarms [--clear] [options]\n"
      "Reads the alarm history (AL: the current alarm, A1-A9 the past ones) as the alarm\n"
      "window does; --clear first clears it as its Clear button does.";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  bool clear = false;
  for (const auto& a : o->rest) {
    if (a != "--clear") return usageError("alarms: unknown argument '" + a + "'");
    clear = true;
  }
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  Monitor monitor(drive.ops(), drive.doc());
  AlarmPage& page = monitor.openAlarms();
  if (clear && monitor.clearAlarmHistory() != Monitor::ClearOutcome::Cleared) return kExitLinkFailure;
  NullProgress progress;
  if (!monitor.readAlarmHistory(page, progress)) return linkLost();
  std::string json = "{\"alarms\":[";
  for (int row = 0; row < monitor::kAlarmRows; ++row) {
    const std::int32_t code = page.codes[static_cast<std::size_t>(row)];
    const std::string name = monitor::alarmRowName(row), text = monitor::alarmCodeText(code), note = monitor::alarmNote(code);
    if (!o->json) std::printf("%s %s%s\n", name.c_str(), text.c_str(), note.c_str());
    json += std::string(row ? "," : "") + "{\"row\":" + quoted(name) + ",\"code\":" + std::to_string(code) +
            ",\"text\":" + quoted(text) + ",\"note\":" + quoted(note) + "}";
  }
  if (o->json) std::printf("%s]}\n", json.c_str());
  return kExitOk;
}

const CommandRegistrar r1("monitor", "read display values, once or every period", runMonitor);
const CommandRegistrar r2("status", "read the diagnostics and the terminal states", runStatus);
const CommandRegistrar r3("alarms", "read (and clear) the alarm history", runAlarms);

}  // namespace
}  // namespace zavo::cli
