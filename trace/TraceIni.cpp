#include "trace/TraceIni.h"

#include <cstdio>
#include <vector>

#include "params/document/BoundedFileRead.h"

namespace zavo::trace {
namespace {

constexpr const char* kHeader[] = {kTraceIniFirstLine, "[0001]", "[bsetok]"};
constexpr std::size_t kHeaderLines = 3;
// 41 short lines; anything much larger is not a settings file of ours.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

// The fields in file order after the header.
std::vector<std::int32_t*> fieldsOf(TraceSettingsBlock& b) {
  std::vector<std::int32_t*> f{&b.present};
  for (auto& a : b.assignments) f.push_back(&a);
  for (auto* p : {&b.points, &b.edge, &b.reserved, &b.interval, &b.triggerChannel, &b.triggerLevel, &b.mode,
                  &b.triggerPosition, &b.samplePeriod})
    f.push_back(p);
  for (auto& s : b.sources) f.push_back(&s);
  for (auto& c : b.colours) f.push_back(&c);
  return f;
}

// Decimal as the old reader took it: an optional sign and the digits that follow, 0 when
// there are none; values beyond 32 bits are held at its ends.
std::int32_t decimal(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) negative = line[i++] == '-';
  long long v = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    v = v * 10 + (line[i] - '0');
    if (v > 0x80000000LL) v = 0x80000000LL;
  }
  v = negative ? -v : v;
  return static_cast<std::int32_t>(v > 0x7FFFFFFFLL ? 0x7FFFFFFFLL : v);
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::string traceIniText(const TraceSettingsBlock& block) {
  TraceSettingsBlock copy = block;
  std::string out;
  for (const char* h : kHeader) out += std::string(h) + "\n";
  for (const std::int32_t* f : fieldsOf(copy)) out += std::to_string(*f) + "\n";
  return out;
}

bool parseTraceIni(std::string_view text, TraceSettingsBlock& block) {
  const auto lines = linesOf(text);
  if (lines.empty() || lines[0] != kTraceIniFirstLine) return false;
  const auto fields = fieldsOf(block);
  for (std::size_t i = 0; i < fields.size() && kHeaderLines + i < lines.size(); ++i)
    *fields[i] = decimal(lines[kHeaderLines + i]);
  block.present = block.present != 0 ? 1 : 0;
  return true;
}

SaveResult writeTraceIni(const std::string& path, const TraceSettingsBlock& block) {
  return saveFileAtomically(path, traceIniText(block));
}

TraceIniFound takeTraceIni(const std::string& path, TraceSettingsBlock& block) {
  std::string text;
  const FileReadStatus status = readFileBounded(path, kMaxFileBytes, text);
  if (status == FileReadStatus::CannotOpen) return TraceIniFound::None;
  const bool valid = status == FileReadStatus::Ok && parseTraceIni(text, block);
  std::remove(path.c_str());
  return valid ? TraceIniFound::Valid : TraceIniFound::Invalid;
}

}  // namespace zavo::trace
