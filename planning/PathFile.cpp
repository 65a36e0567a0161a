#include "planning/PathFile.h"

#include <set>

#include "planning/EntryRules.h"
#include "planning/PlanningTexts.h"

namespace zavo::planning {
namespace {

constexpr std::size_t kMaxLineLength = 256;
constexpr int kMaxLines = 4096;
constexpr std::size_t kPathFields = 4;
constexpr int kOlderType = 2;
constexpr const char* kHeading = "path,rotation,pulse,speed";
constexpr Range kDigit{0, 1};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  while (true) {
    const auto comma = line.find(',');
    out.push_back(trim(line.substr(0, comma)));
    if (comma == std::string_view::npos) return out;
    line.remove_prefix(comma + 1);
  }
}

bool problemAt(PathFileProblem& problem, int line, std::string message) {
  problem = {line, std::move(message)};
  return false;
}

bool number(std::string_view field, std::int64_t& out) {
  const auto v = parseEntry(field);
  if (!v) return false;
  out = *v;
  return true;
}

// One "key,value" line.
bool keyLine(const std::vector<std::string_view>& f, int line, PathFile& out, PathFileProblem& problem) {
  std::optional<PathFileValue>* slot = f[0] == "coordinate" ? &out.coordinate
                                       : f[0] == "phold"    ? &out.phold
                                       : f[0] == "smoothing" ? &out.smoothing
                                                             : nullptr;
  if (!slot) return problemAt(problem, line, "unknown line '" + std::string(f[0]) + "'");
  if (f.size() != 2) return problemAt(problem, line, std::string(f[0]) + " takes one value");
  if (*slot) return problemAt(problem, line, std::string(f[0]) + " is given twice");
  PathFileValue v{line, 0};
  if (!number(f[1], v.value)) return problemAt(problem, line, "'" + std::string(f[1]) + "' is not a whole number");
  *slot = v;
  return true;
}

bool pathLine(const std::vector<std::string_view>& f, int line, PathFile& out, PathFileProblem& problem) {
  if (f.size() != kPathFields) return problemAt(problem, line, "a path line is path,rotation,pulse,speed");
  PathFileRow row;
  row.line = line;
  std::int64_t* targets[] = {&row.path, &row.rotation, &row.pulse, &row.speed};
  for (std::size_t i = 0; i < kPathFields; ++i)
    if (!number(f[i], *targets[i])) return problemAt(problem, line, "'" + std::string(f[i]) + "' is not a whole number");
  out.paths.push_back(row);
  return true;
}

std::string rangeText(const Range& r) { return "(" + std::to_string(r.min) + " to " + std::to_string(r.max) + ")"; }

// A value for the table: in range, or clamped when allowed.
bool fit(std::int64_t v, const Range& r, bool clamp, int line, const std::string& what, std::int32_t& out,
         PathFileProblem& problem) {
  if (r.holds(v) || clamp) {
    out = r.clamp(v);
    return true;
  }
  return problemAt(problem, line, what + " " + std::to_string(v) + " is out of range " + rangeText(r));
}

bool digit(const std::optional<PathFileValue>& v, const char* what, PathFileProblem& problem, int& out) {
  if (!v) return true;
  if (!kDigit.holds(v->value)) return problemAt(problem, v->line, std::string(what) + " is 0 or 1");
  out = static_cast<int>(v->value);
  return true;
}

}  // namespace

bool parsePathFile(std::string_view text, PathFile& out, PathFileProblem& problem) {
  out = {};
  if (text.size() > kPathFileMaxBytes) return problemAt(problem, 0, "too large for a path file");
  int line = 0;
  while (!text.empty()) {
    if (++line > kMaxLines) return problemAt(problem, line, "too many lines for a path file");
    const auto nl = text.find('\n');
    const std::string_view raw = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    if (raw.size() > kMaxLineLength) return problemAt(problem, line, "line too long");
    const std::string_view l = trim(raw);
    if (l.empty() || l[0] == '#') continue;
    const auto f = fields(l);
    if (l == kHeading) continue;
    const bool path = !f[0].empty() && (parseEntry(f[0]).has_value());
    if (!(path ? pathLine(f, line, out, problem) : keyLine(f, line, out, problem))) return false;
  }
  return true;
}

std::string formatPathFile(const PositionTable& t, int driveType) {
  std::string s = "# internal position command paths, drive type " + std::to_string(driveType) + "\n";
  s += "coordinate," + std::to_string(t.coordinate()) + "\n";
  s += "phold," + std::to_string(t.phold()) + "\n";
  s += "smoothing," + std::to_string(t.smoothing) + "\n";
  s += std::string(kHeading) + "\n";
  for (std::size_t i = 0; i < t.paths.size(); ++i) {
    const auto& p = t.paths[i];
    s += std::to_string(i + 1) + "," + std::to_string(p.rotation) + "," + std::to_string(p.pulse) + "," +
         std::to_string(p.speed) + "\n";
  }
  return s;
}

bool applyPathFile(const PathFile& file, PositionTable& table, const PositionRanges& ranges, bool clamp, int driveType,
                   PathFileProblem& problem) {
  int coordinate = table.coordinate(), phold = table.phold();
  if (!digit(file.coordinate, "coordinate", problem, coordinate) || !digit(file.phold, "phold", problem, phold))
    return false;
  if (file.coordinate) table.setCoordinate(coordinate);
  if (file.phold) table.setPhold(phold);
  if (const auto& s = file.smoothing) {
    if (driveType >= kOlderType && !ranges.smoothing.holds(s->value)) {
      // The M7 family's dialog refuses the time constant rather than clamp it.
      std::string message = texts::smoothingOverRange();
      while (!message.empty() && message.back() == '\n') message.pop_back();
      return problemAt(problem, s->line, message);
    }
    if (!fit(s->value, ranges.smoothing, clamp, s->line, "smoothing", table.smoothing, problem)) return false;
  }
  std::set<std::int64_t> seen;
  const auto count = static_cast<std::int64_t>(table.paths.size());
  for (const auto& row : file.paths) {
    if (row.path < 1 || row.path > count)
      return problemAt(problem, row.line, "path " + std::to_string(row.path) + " is not one of 1-" + std::to_string(count));
    if (!seen.insert(row.path).second)
      return problemAt(problem, row.line, "path " + std::to_string(row.path) + " is given twice");
    auto& p = table.paths[static_cast<std::size_t>(row.path - 1)];
    const std::string name = "path " + std::to_string(row.path);
    if (!fit(row.rotation, ranges.rotation, clamp, row.line, name + " rotation", p.rotation, problem) ||
        !fit(row.pulse, ranges.pulse, clamp, row.line, name + " pulse", p.pulse, problem) ||
        !fit(row.speed, ranges.speed, clamp, row.line, name + " speed", p.speed, problem))
      return false;
  }
  return true;
}

}  // namespace zavo::planning
