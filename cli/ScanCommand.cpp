// zavoctl scan: the drives on a line, at every baud rate, format and station asked for.

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/DriveOptions.h"
#include "cli/FrameLogOutput.h"
#include "cli/JsonText.h"
#include "cli/TerminalProgress.h"
#include "link/LinkPort.h"
#include "link/PortList.h"
#include "link/StationScan.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: zavoctl scan [--bauds 9600,19200,...] [--stations 1-247] [--formats 6,7] [--first] [options]\n"
    "Searches the line for drives: a DriveLink probe at each baud rate, then a Modbus read at\n"
    "every station in each format. One line per drive found; exit 0 when one answered, 1 when\n"
    "none did. Defaults: the rates of Link Port Set (--baud first), --format, stations 1-247.";
// The open arguments of the port; the scan sets the line itself for every probe.
constexpr unsigned long kOpenBaud = 19200, kOpenReadTimerMs = 500, kOpenQueue = 20000;

class Observer final : public ScanObserver {
 public:
  explicit Observer(bool json) : json_(json) {}
  ~Observer() override { progress_.close(); }
  bool progress(const ScanProgress& p) override {
    if (p.done == 0) progress_.open("Scan", 0, p.total);
    progress_.setText(std::to_string(p.baud) + (p.format < 0 ? " DriveLink" : " " + formatText(p.format) +
                                                                               " station " + std::to_string(p.station)));
    progress_.step();
    return true;
  }
  void found(const FoundDrive& d) override {
    if (json_) return;
    progress_.close();  // the bar's line is cleared for the drive's, and drawn again after it
    std::printf("%s\n", d.text().c_str());
    std::fflush(stdout);
  }

 private:
  bool json_;
  TerminalProgress progress_;
};

std::string jsonOf(const FoundDrive& d) {
  char text[256];
  std::snprintf(text, sizeof text,
                "{\"protocol\": \"%s\", \"station\": %d, \"baud\": %lu, \"format\": %d, \"line\": %s, "
                "\"type\": %d, \"version\": %d, \"versionText\": %s, \"model\": %d}",
                d.modbus ? "modbus" : "drivelink", d.station, d.baud, d.format,
                jsonString(d.modbus ? formatText(d.format) : "8N1").c_str(), d.driveType, d.version,
                jsonString(d.versionText()).c_str(), d.model);
  return text;
}

// The scan's own options out of the rest of the command line.
bool parsePlan(const DriveOptions& o, ScanPlan& plan, std::string& error) {
  plan = ScanPlan::defaults(o.baudIndex, o.format);
  const auto& rest = o.rest;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    if (a == "--first") {
      plan.first = true;
      continue;
    }
    if (a != "--bauds" && a != "--stations" && a != "--formats") {
      error = "unknown argument '" + a + "'";
      return false;
    }
    if (i + 1 >= rest.size()) {
      error = a + " needs a list";
      return false;
    }
    const std::string& v = rest[++i];
    std::string why;
    if (a == "--bauds") {
      const auto bauds = parseBaudList(v, &why);
      if (bauds) plan.bauds = *bauds;
    } else {
      const bool stations = a == "--stations";
      const auto list = parseNumberList(v, stations ? kFirstStation : 0, stations ? kLastStation : 8, &why);
      if (list) (stations ? plan.stations : plan.formats) = *list;
    }
    if (!why.empty()) {
      error = a + ": " + why;
      return false;
    }
  }
  return true;
}

int runScan(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  ScanPlan plan;
  std::string error;
  if (!parsePlan(*o, plan, error)) return usageError(error);
  if (o->port.empty()) return usageError("no port: give --port PATH or set ZAVO_PORT");
  driveContext().reset(o->driveType);
  FrameLogOutput frames(o->logFrames);
  if (!frames.ok()) return kExitUsage;
  CSerial& port = mainPort();
  const std::string name = openNameOfEntry(o->port);
  if (const long open = port.Open(name.c_str(), kOpenBaud, kOpenReadTimerMs, kOpenQueue, kOpenQueue); open != 0) {
    std::fprintf(stderr, "zavoctl: cannot open %s (error %ld)\n", o->port.c_str(), open);
    return kExitLinkFailure;
  }
  Observer observer(o->json);
  StationScan scan(port);
  const auto found = scan.run(plan, observer);
  port.Close();
  if (o->json) {
    std::printf("[");
    for (std::size_t i = 0; i < found.size(); ++i) std::printf("%s%s", i ? ",\n " : "", jsonOf(found[i]).c_str());
    std::printf("]\n");
  }
  return found.empty() ? kExitLinkFailure : kExitOk;
}

const CommandRegistrar reg("scan", "search the line for drives (baud rates, formats, stations)", runScan);

}  // namespace
}  // namespace zavo::cli
