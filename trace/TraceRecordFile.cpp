#include "trace/TraceRecordFile.h"

#include <algorithm>
#include <bit>
#include <cctype>

#include "trace/TraceRules.h"
#include "trace/TraceTimeAxis.h"

namespace zavo::trace {
namespace {

constexpr std::size_t kVersionDigits = 6;
constexpr std::size_t kNameWindow = 24;  // characters after ';' that must name the program
constexpr std::string_view kProgramName = "Zavo Servo";
constexpr std::size_t kMaxHeaderLine = 256;
constexpr std::size_t kWordBytes = 4;
constexpr int kNoTriggerLevel = 0;

// Little-endian words in and out.
void put(std::string& out, std::uint32_t v) {
  for (std::size_t i = 0; i < kWordBytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFFu));
}
void put(std::string& out, std::int32_t v) { put(out, static_cast<std::uint32_t>(v)); }

class WordReader {
 public:
  explicit WordReader(std::string_view bytes) : bytes_(bytes) {}

  bool word(std::int32_t& v) {
    std::uint32_t u = 0;
    if (!word(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  bool word(std::uint32_t& v) {
    if (bytes_.size() - at_ < kWordBytes) return false;
    v = 0;
    for (std::size_t i = 0; i < kWordBytes; ++i)
      v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    at_ += kWordBytes;
    return true;
  }
  template <class... T>
  bool words(T&... v) {
    return (word(v) && ...);
  }
  bool block(std::vector<std::int32_t>& out, std::size_t n) {
    if ((bytes_.size() - at_) / kWordBytes < n) return false;
    out.resize(n);
    for (auto& v : out) word(v);
    return true;
  }
  std::size_t left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// The next text line of `bytes` from `at` without its line end (LF or CR LF); nothing when
// no line end comes within a sane length.
std::optional<std::string_view> line(std::string_view bytes, std::size_t& at) {
  const std::size_t end = bytes.find('\n', at);
  if (end == std::string_view::npos || end - at > kMaxHeaderLine) return std::nullopt;
  std::string_view l = bytes.substr(at, end - at);
  if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
  at = end + 1;
  return l;
}

void putBlock(std::string& out, const std::vector<std::int32_t>& samples, std::int32_t points) {
  for (std::int32_t i = 0; i <= points; ++i)
    put(out, static_cast<std::size_t>(i) < samples.size() ? samples[static_cast<std::size_t>(i)] : 0);
}

int monitorPoints() {
  TraceSettings m;
  m.mode = static_cast<int>(TraceMode::Monitor);
  return m.pointsPerLine();
}

bool intervalFits(std::int32_t mode, std::int32_t interval) {
  return intervalRange(static_cast<TraceMode>(mode)).contains(interval);
}

}  // namespace

float TraceRecordFile::periodWord() const { return std::bit_cast<float>(periodWordBits); }

void TraceRecordFile::setPeriodWord(float w) { periodWordBits = std::bit_cast<std::uint32_t>(w); }

std::optional<int> traceFileVersion(std::string_view first) {
  const std::size_t semi = first.find(';');
  if (semi == std::string_view::npos) return std::nullopt;
  if (first.substr(0, semi + 1 + kNameWindow).find(kProgramName) == std::string_view::npos) return std::nullopt;
  if (first.size() < kVersionDigits) return std::nullopt;
  int v = 0;
  for (char c : first.substr(first.size() - kVersionDigits)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::string traceFileBytes(const TraceRecordFile& f) {
  std::string out = std::string(kTraceFileHeader) + "\n" + kTraceDataLine + "\n";
  const auto& s = f.scales;
  put(out, f.mode);
  put(out, f.sources[0]), put(out, f.sources[1]);
  put(out, f.colours[0]), put(out, f.colours[1]);
  put(out, f.periodWordBits);
  put(out, f.interval);
  put(out, f.points);
  put(out, s[0].selection), put(out, s[1].selection);
  put(out, f.timeSelection);
  put(out, s[0].units), put(out, s[1].units);
  put(out, s[0].slider), put(out, s[0].halfSpan);
  put(out, s[1].slider), put(out, s[1].halfSpan);
  put(out, f.scroll);
  put(out, f.frontChannel);
  putBlock(out, f.samples[0], f.points);
  putBlock(out, f.samples[1], f.points);
  put(out, s[2].selection), put(out, s[3].selection);
  put(out, s[2].units), put(out, s[3].units);
  put(out, s[2].slider), put(out, s[2].halfSpan);
  put(out, s[3].slider), put(out, s[3].halfSpan);
  put(out, f.sources[2]), put(out, f.sources[3]);
  put(out, f.colours[2]), put(out, f.colours[3]);
  put(out, f.repeatedHalfSpans[0]), put(out, f.repeatedHalfSpans[1]);
  for (int t : f.terminals) put(out, static_cast<std::int32_t>(t));
  putBlock(out, f.samples[2], f.points);
  putBlock(out, f.samples[3], f.points);
  put(out, f.triggerChannel);
  put(out, f.triggerLevel);
  put(out, f.driveType);
  return out;
}

std::optional<TraceRecordFile> parseTraceFile(std::string_view bytes, int modeWithoutWord) {
  std::size_t at = 0;
  const auto first = line(bytes, at);
  const auto version = first ? traceFileVersion(*first) : std::nullopt;
  if (!version) return std::nullopt;
  const auto second = line(bytes, at);
  if (!second || *second != kTraceDataLine) return std::nullopt;

  TraceRecordFile f;
  f.version = *version;
  auto& s = f.scales;
  WordReader r(bytes.substr(at));
  const bool hasMode = *version > kVersionWithoutMode;
  const bool hasScales34 = *version > kVersionWithoutScales34;
  if (hasMode && !r.word(f.mode)) return std::nullopt;
  if (!r.words(f.sources[0], f.sources[1], f.colours[0], f.colours[1], f.periodWordBits, f.interval, f.points))
    return std::nullopt;
  // Everything after depends on the points: a count the window cannot hold is no record.
  if (f.points < 1 || f.points > kMaxFilePoints) return std::nullopt;
  if (!hasMode) f.mode = f.points == monitorPoints() ? static_cast<int>(TraceMode::Monitor) : modeWithoutWord;
  if (f.mode < 0 || f.mode > 2 || !intervalFits(f.mode, f.interval)) return std::nullopt;
  const auto n = static_cast<std::size_t>(f.points) + 1;
  if (!r.words(s[0].selection, s[1].selection, f.timeSelection, s[0].units, s[1].units, s[0].slider, s[0].halfSpan,
               s[1].slider, s[1].halfSpan, f.scroll, f.frontChannel) ||
      !r.block(f.samples[0], n) || !r.block(f.samples[1], n))
    return std::nullopt;
  if (hasScales34 && !r.words(s[2].selection, s[3].selection, s[2].units, s[3].units, s[2].slider, s[2].halfSpan,
                              s[3].slider, s[3].halfSpan))
    return std::nullopt;
  if (!r.words(f.sources[2], f.sources[3], f.colours[2], f.colours[3], f.repeatedHalfSpans[0], f.repeatedHalfSpans[1]))
    return std::nullopt;
  for (int& t : f.terminals) {
    std::int32_t v = 0;
    if (!r.word(v)) return std::nullopt;
    t = v;
  }
  if (!r.block(f.samples[2], n) || !r.block(f.samples[3], n)) return std::nullopt;
  // The late words: each there or not, but never cut inside.
  if (r.left() % kWordBytes != 0 && r.left() < 3 * kWordBytes) return std::nullopt;
  for (std::int32_t* late : {&f.triggerChannel, &f.triggerLevel, &f.driveType})
    if (r.left() >= kWordBytes) r.word(*late);
  if (!hasScales34) {
    // The scales of data 3 and 4 are not in the file: centred at the usual 100 a division,
    // their tops where the file's copies of the half spans put them.
    for (std::size_t c = 2; c < kChannelCount; ++c) {
      s[c] = centred(selectionOfUnits(kFallbackUnits), kFallbackUnits);
      s[c].halfSpan = f.repeatedHalfSpans[c - 2];
      s[c].slider = sliderFor(kFallbackUnits, s[c].halfSpan);
    }
  }
  return f;
}

void clampDrawingState(TraceRecordFile& f, const TraceSources& sources) {
  for (auto& src : f.sources)
    if (!sources.exists(src)) src = kSourceNone;
  if (f.triggerChannel < 0 || f.triggerChannel > kChannelCount) {
    f.triggerChannel = kNoTrigger;
    f.triggerLevel = kNoTriggerLevel;
  }
  const bool monitor = f.mode == static_cast<int>(TraceMode::Monitor);
  for (auto& sc : f.scales) {
    if (!isListedUnits(sc.units)) sc.units = kFallbackUnits;
    const bool autoAllowed = !monitor && sc.selection == kScaleAuto;
    if (!autoAllowed && (sc.selection < 1 || sc.selection >= kScaleEntries || unitsOfSelection(sc.selection) != sc.units))
      sc.selection = selectionOfUnits(sc.units);
    sc.slider = std::clamp(sc.slider, 0, sliderMax(sc.units));
  }
  if (f.frontChannel < 0 || f.frontChannel >= kChannelCount) f.frontChannel = kChannelCount - 1;
  TraceTimeAxis axis(f.mode, f.periodWord(), f.interval, f.points);
  axis.select(f.timeSelection);
  axis.scrollTo(f.scroll);
  f.timeSelection = axis.selection();
  f.scroll = axis.scroll();
}

}  // namespace zavo::trace
