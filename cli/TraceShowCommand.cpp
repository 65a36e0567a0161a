// zavoctl trace-show: a trace data file as the trace window opens it, without a drive: what
// it holds, its text export, its display state as JSON, or a copy saved by the window's rules.

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/JsonText.h"
#include "cli/Numbers.h"
#include "params/catalogue/DriveContext.h"
#include "resources/TextTable.h"
#include "trace/TraceColours.h"
#include "trace/TraceFiles.h"

namespace zavo::cli {
namespace {

using namespace trace;

constexpr const char* kHelp =
    "Usage: zavoctl trace-show FILE.trd [--csv | --json] [--save OUT] [--drive-type T]\n"
    "Reads a trace data file as the trace window opens it and prints its version, mode, interval,\n"
    "points, trigger, drive type and each channel's source, name, unit and colour.\n\n"
    "  --csv            the text export instead, byte for byte as Save As writes a .csv\n"
    "  --json           the record's display state as one JSON object\n"
    "  --save OUT       also save it as the window's Save As would: OUT.trd or OUT.csv (any case);\n"
    "                   any other name writes nothing (exit 2)\n"
    "  --drive-type T   the drive type the window has (0-4, default 2); a file of another type is\n"
    "                   refused with \"Serial error\" (exit 1)\n";

constexpr const char* kModeNames[] = {"Single mode", "Cycle mode", "Monitor mode"};
constexpr int kModeWithoutWord = 0;  // files without a mode word, unless they hold 5120 points

struct Options {
  std::string file;
  std::string save;
  bool csv = false;
  bool json = false;
  int driveType = 2;
};

int parse(Args args, Options& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--csv") {
      o.csv = true;
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--save" || a == "--drive-type") {
      if (i + 1 >= args.size()) return usageError("trace-show: " + a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--save") {
        o.save = v;
        continue;
      }
      const auto t = parseNumber(v);
      if (!t || *t < 0 || *t > 4) return usageError("trace-show: invalid drive type '" + v + "' (0-4)");
      o.driveType = static_cast<int>(*t);
    } else if (o.file.empty() && a.rfind("--", 0) != 0) {
      o.file = a;
    } else {
      return usageError("trace-show: unexpected argument '" + a + "'");
    }
  }
  if (o.file.empty()) return usageError("trace-show needs a file");
  if (o.csv && o.json) return usageError("trace-show: --csv or --json, not both");
  if (!o.save.empty() && traceFormatOf(o.save) == TraceFormat::None)
    return usageError("trace-show: " + o.save + ": a record is saved as .trd or .csv");
  return kExitOk;
}

std::string colourText(std::uint32_t word, const char* between) {
  const Rgb c = rgbOfWord(word);
  return std::to_string(c.r) + between + std::to_string(c.g) + between + std::to_string(c.b);
}

void printText(const TraceRecordFile& f) {
  const TraceSources sources(f.driveType, f.terminals);
  std::printf("version %d\nmode %d (%s)\n", f.version, f.mode, kModeNames[f.mode]);
  std::printf("interval %d\npoints %d\n", f.interval, f.points);
  if (f.triggerChannel == kNoTrigger)
    std::printf("trigger none\n");
  else
    std::printf("trigger data%d level %d\n", f.triggerChannel, f.triggerLevel);
  std::printf("drive type %d\n", f.driveType);
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    const int src = f.sources[c];
    std::printf("data%zu source %d name %s unit [%s] colour %s\n", c + 1, src, sources.name(src).c_str(),
                TraceSources::unit(src).c_str(), colourText(f.colours[c], ",").c_str());
  }
}

void printJson(const TraceRecordFile& f) {
  const TraceSources sources(f.driveType, f.terminals);
  std::printf(
      "{\"version\": %d, \"mode\": %d, \"interval\": %d, \"points\": %d, \"driveType\": %d, \"triggerChannel\": %d, "
      "\"triggerLevel\": %d, \"scrollPosition\": %d, \"timeScaleSelection\": %d, \"frontChannel\": %d, \"terminals\": [",
      f.version, f.mode, f.interval, f.points, f.driveType, f.triggerChannel, f.triggerLevel, f.scroll, f.timeSelection,
      f.frontChannel);
  for (std::size_t i = 0; i < f.terminals.size(); ++i) std::printf("%s%d", i ? ", " : "", f.terminals[i]);
  std::printf("], \"channels\": [");
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    const int src = f.sources[c];
    const ChannelScale& s = f.scales[c];
    std::printf(
        "%s{\"source\": %d, \"name\": %s, \"unit\": %s, \"colour\": [%s], \"scaleSelection\": %d, "
        "\"unitsPerDivision\": %d, \"slider\": %d, \"halfSpan\": %d, \"autoUnitsPerDivision\": %d}",
        c ? ", " : "", src, jsonString(sources.name(src)).c_str(), jsonString(TraceSources::unit(src)).c_str(),
        colourText(f.colours[c], ", ").c_str(), s.selection, s.units, s.slider, s.halfSpan,
        autoUnits(largestMagnitude(f.samples[c])));
  }
  std::printf("]}\n");
}

int runTraceShow(Args args) {
  if (wantsHelp(args)) {
    std::printf("%s", kHelp);
    return kExitOk;
  }
  Options o;
  if (const int rc = parse(args, o); rc != kExitOk) return rc;
  TextTable::active().loadLibrary(kTolkarLibrary);
  driveContext().reset(o.driveType);
  const TraceOpen opened = openTraceFile(o.file, o.driveType, kModeWithoutWord);
  if (opened.result != TraceOpenResult::Ok) {
    std::fprintf(stderr, "%s\n", traceOpenMessage(opened.result).c_str());
    return kExitLinkFailure;
  }
  const TraceRecordFile& f = opened.file;
  if (o.csv) {
    const std::string text = traceFileText(f, TraceFormat::Text);
    std::fwrite(text.data(), 1, text.size(), stdout);
  } else if (o.json) {
    printJson(f);
  } else {
    printText(f);
  }
  if (!o.save.empty()) {
    const TraceSave s = saveTraceFile(o.save, f);
    if (s.outcome != TraceSave::Outcome::Written) {
      std::fprintf(stderr, "zavoctl: %s: %s\n", o.save.c_str(), s.error.c_str());
      return kExitLinkFailure;
    }
  }
  return kExitOk;
}

const CommandRegistrar reg("trace-show", "show a .trd trace file, export it or save a copy (no drive needed)",
                           runTraceShow);

}  // namespace
}  // namespace zavo::cli
