#include "trace/TraceSettingsBlock.h"

#include "trace/TraceColours.h"

namespace zavo::trace {

TraceSettingsBlock TraceSettingsBlock::of(const TraceSettings& s, const TerminalAssignments& assignments) {
  TraceSettingsBlock b;
  b.present = 1;
  b.assignments = assignments;
  b.points = s.pointsPerLine();
  b.edge = s.edge;
  b.interval = s.interval;
  b.triggerChannel = s.triggerChannel;
  b.triggerLevel = s.triggerLevel;
  b.mode = s.mode;
  b.triggerPosition = s.triggerPosition;
  b.samplePeriod = s.samplePeriodWord();
  b.sources = s.sources;
  for (std::size_t c = 0; c < kChannelCount; ++c) b.colours[c] = static_cast<std::int32_t>(colourWord(s.colours[c]));
  return b;
}

TraceSettings TraceSettingsBlock::settings() const {
  TraceSettings s;
  s.mode = mode;
  s.interval = interval;
  s.sources = sources;
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    const int index = colourIndexOf(static_cast<std::uint32_t>(colours[c]));
    s.colours[c] = index < 0 ? 0 : index;
  }
  s.triggerChannel = triggerChannel;
  s.triggerLevel = triggerLevel;
  s.edge = edge;
  s.triggerPosition = triggerPosition;
  return s;
}

}  // namespace zavo::trace
