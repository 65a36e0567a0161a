#include "cli/TraceOptions.h"

#include <charconv>
#include <cstdlib>

#include "cli/Numbers.h"
#include "trace/TraceFiles.h"
#include "trace/TraceRules.h"

namespace zavo::cli {
namespace {

using trace::TraceMode;
using trace::TriggerEdge;

std::optional<int> modeOf(const std::string& v) {
  if (v == "single") return static_cast<int>(TraceMode::Single);
  if (v == "cycle") return static_cast<int>(TraceMode::Cycle);
  if (v == "monitor") return static_cast<int>(TraceMode::Monitor);
  return std::nullopt;
}

std::optional<int> edgeOf(const std::string& v) {
  if (v == "rise") return static_cast<int>(TriggerEdge::Rise);
  if (v == "fall") return static_cast<int>(TriggerEdge::Fall);
  if (v == "both") return static_cast<int>(TriggerEdge::Both);
  return std::nullopt;
}

// "S1,S2,S3,S4": one to four source numbers; the channels not named trace nothing.
bool sourcesOf(const std::string& v, std::array<int, trace::kChannelCount>& out) {
  out.fill(trace::kSourceNone);
  std::size_t start = 0;
  for (std::size_t c = 0; c <= trace::kChannelCount; ++c) {
    const std::size_t comma = v.find(',', start);
    const auto n = parseNumber(std::string_view(v).substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (c == trace::kChannelCount || !n || *n < 0 || *n > 0xFF) return false;
    out[c] = static_cast<int>(*n);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
  return false;
}

}  // namespace

std::optional<TraceOptions> parseTraceOptions(const std::vector<std::string>& args, int driveType, int ratedSpeed,
                                              std::string& error) {
  TraceOptions o;
  auto& s = o.settings;
  const auto fail = [&error](std::string why) {
    error = std::move(why);
    return std::optional<TraceOptions>{};
  };
  bool mode = false, sources = false, trigger = false, levelGiven = false;
  bool cyclesGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--read-back") { o.readBack = true; continue; }
    if (a == "--stream") { o.stream = true; continue; }
    if (i + 1 >= args.size()) {
      error = a.rfind("--", 0) == 0 ? a + " needs a value" : "unexpected argument '" + a + "'";
      return std::nullopt;
    }
    const std::string& v = args[++i];
    const auto n = parseNumber(v);
    const auto number = [&](long lo, long hi) {
      if (n && *n >= lo && *n <= hi) return true;
      error = "invalid " + a + " '" + v + "'";
      return false;
    };
    if (a == "--mode") {
      const auto m = modeOf(v);
      if (!m) return fail("--mode takes single, cycle or monitor");
      s.mode = *m;
      mode = true;
    } else if (a == "--sources") {
      if (!sourcesOf(v, s.sources)) return fail("--sources takes one to four source numbers, e.g. 1,2,0,9");
      sources = true;
    } else if (a == "--interval") {
      if (!number(-100000, 100000)) return std::nullopt;
      s.interval = static_cast<int>(*n);
    } else if (a == "--trigger") {
      if (!number(1, trace::kChannelCount)) return std::nullopt;
      s.triggerChannel = static_cast<int>(*n);
      trigger = true;
    } else if (a == "--level") {
      if (!number(-1000000, 1000000)) return std::nullopt;
      s.triggerLevel = static_cast<int>(*n);
      levelGiven = true;
    } else if (a == "--edge") {
      const auto e = edgeOf(v);
      if (!e) return fail("--edge takes rise, fall or both");
      s.edge = *e;
      levelGiven = true;
    } else if (a == "--position") {
      if (!number(-1000, 1000)) return std::nullopt;
      s.triggerPosition = static_cast<int>(*n);
      levelGiven = true;
    } else if (a == "--cycles") {
      if (!number(1, 1000000)) return std::nullopt;
      o.cycles = static_cast<int>(*n);
      cyclesGiven = true;
    } else if (a == "--halves") {
      if (!number(1, 1000000)) return std::nullopt;
      o.halves = static_cast<int>(*n);
    } else if (a == "--out") {
      if (trace::traceFormatOf(v) == trace::TraceFormat::None) return fail("--out takes FILE.trd or FILE.csv");
      o.out = v;
    } else if (a == "--seconds") {
      char* end = nullptr;
      o.seconds = std::strtod(v.c_str(), &end);
      if (v.empty() || end != v.c_str() + v.size() || !(o.seconds > 0)) return fail("invalid --seconds '" + v + "'");
    } else {
      error = "unknown option '" + a + "'";
      return std::nullopt;
    }
  }
  if (!mode || !sources) return fail("trace needs --mode and --sources");
  if (levelGiven && !trigger) return fail("--level, --edge and --position go with --trigger");
  if (cyclesGiven && s.traceMode() != TraceMode::Cycle) return fail("--cycles is for --mode cycle");
  if ((o.halves || o.seconds > 0) && !s.monitor()) return fail("--halves and --seconds are for --mode monitor");
  if (o.halves && o.seconds > 0) return fail("give --halves or --seconds, not both");
  error = trace::checkSettings(s, trace::TraceSources(driveType, {}), ratedSpeed);
  if (!error.empty()) return std::nullopt;
  return o;
}

}  // namespace zavo::cli
