#include "trace/TraceRules.h"

#include <cstdint>
#include <limits>

namespace zavo::trace {
namespace {

constexpr ValueRange kFastInterval{1, 1250};
constexpr ValueRange kMonitorInterval{1, 500};
constexpr ValueRange kPosition{0, 50};
constexpr ValueRange kTorqueLevel{-100, 100};
// The level register is one signed word: a deviation level beyond it would be cut to its low
// 16 bits on the line and trigger somewhere else entirely.
constexpr ValueRange kDeviationLevel{std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()};
constexpr ValueRange kAngleLevel{0, 359};
constexpr ValueRange kDigitalLevel{0, 1};
constexpr int kEdges = 3;

std::string rangeText(const ValueRange& r) {
  return "(" + std::to_string(r.lo) + "~" + std::to_string(r.hi) + ")";
}

std::string outOf(const char* what, int v, const ValueRange& r) {
  return std::string(what) + " " + std::to_string(v) + " is outside " + std::to_string(r.lo) + ".." + std::to_string(r.hi);
}

}  // namespace

ValueRange intervalRange(TraceMode mode) { return mode == TraceMode::Monitor ? kMonitorInterval : kFastInterval; }

ValueRange positionRange() { return kPosition; }

std::optional<ValueRange> levelRange(int source, int ratedSpeed) {
  switch (TraceSources::kindOf(source)) {
    case SourceKind::Speed: return ValueRange{-ratedSpeed, ratedSpeed};
    case SourceKind::Torque: return kTorqueLevel;
    case SourceKind::Deviation: return kDeviationLevel;
    case SourceKind::Angle: return kAngleLevel;
    case SourceKind::Digital: return kDigitalLevel;
    case SourceKind::None:
    case SourceKind::Unknown: break;
  }
  return std::nullopt;
}

std::optional<ValueRange> levelRange(const TraceSettings& s, int ratedSpeed) {
  if (!s.triggered()) return std::nullopt;
  return levelRange(s.triggerSource(), ratedSpeed);
}

std::string levelLabel(int source, int ratedSpeed) {
  const auto r = levelRange(source, ratedSpeed);
  if (!r) return {};
  switch (TraceSources::kindOf(source)) {
    case SourceKind::Speed: return "[rpm]  " + rangeText(*r);
    case SourceKind::Torque: return "[%]  " + rangeText(*r);
    case SourceKind::Deviation: return "[pulse]  " + rangeText(*r);
    case SourceKind::Angle: return "[degree]  " + rangeText(*r);
    default: return "[]";
  }
}

int levelWidth(int source) {
  switch (TraceSources::kindOf(source)) {
    case SourceKind::Speed: return 5;
    case SourceKind::Torque: return 4;
    case SourceKind::Deviation: return 6;
    case SourceKind::Angle: return 3;
    case SourceKind::Digital: return 1;
    default: return 0;
  }
}

int levelForSource(int source, int level, int ratedSpeed) {
  const SourceKind k = TraceSources::kindOf(source);
  if (k == SourceKind::Speed || k == SourceKind::Deviation) return level;
  const auto r = levelRange(source, ratedSpeed);
  return r && !r->contains(level) ? 0 : level;
}

std::string checkSettings(const TraceSettings& s, const TraceSources& sources, int ratedSpeed) {
  if (s.mode < 0 || s.mode > static_cast<int>(TraceMode::Monitor)) return "mode " + std::to_string(s.mode) + " is not 0-2";
  const ValueRange interval = intervalRange(s.traceMode());
  if (!interval.contains(s.interval)) return outOf("interval", s.interval, interval);
  for (int c = 0; c < kChannelCount; ++c) {
    const int src = s.sources[static_cast<std::size_t>(c)];
    if (!sources.exists(src))
      return "source " + std::to_string(src) + " of data " + std::to_string(c + 1) + " does not exist on this drive";
  }
  if (s.triggerChannel == kNoTrigger) return {};
  if (s.monitor()) return "Monitor mode has no trigger";
  if (s.triggerChannel < 1 || s.triggerChannel > kChannelCount) return "trigger channel must be 1-4";
  if (s.triggerChannel == kChannelCount && !s.data4Free()) return "data 4 carries the deviation's high word";
  const auto level = levelRange(s, ratedSpeed);
  if (!level) return "the trigger channel traces nothing";
  if (!level->contains(s.triggerLevel)) return outOf("trigger level", s.triggerLevel, *level);
  if (s.edge < 0 || s.edge >= kEdges) return "edge must be rise, fall or both";
  if (!kPosition.contains(s.triggerPosition)) return outOf("trigger position", s.triggerPosition, kPosition);
  return {};
}

}  // namespace zavo::trace
