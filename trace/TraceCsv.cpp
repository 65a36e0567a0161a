#include "trace/TraceCsv.h"

#include <cstdio>

#include "trace/TraceTimeAxis.h"

namespace zavo::trace {

std::string traceCsvText(const TraceRecordFile& f) {
  const TraceSources sources(f.driveType, f.terminals);
  std::string out = std::string(kTraceFileHeader) + "\n" + kTraceDataLine + "\n" + "time(ms)";
  for (int c = 0; c < kChannelCount; ++c) {
    const int src = f.sources[static_cast<std::size_t>(c)];
    out += ",ch" + std::to_string(c + 1) + " " + sources.name(src) + "(" + TraceSources::unit(src) + ")";
  }
  out += ",\n";

  TraceTimeAxis axis(f.mode, f.periodWord(), f.interval, f.points);
  axis.select(f.timeSelection);
  axis.scrollTo(f.scroll);
  const double offsetMs = axis.offset() * axis.unitFactor();
  char cell[64];
  // The first row carries the time of one sample period, as the export always has.
  for (std::int32_t r = 1; r <= f.points; ++r) {
    std::snprintf(cell, sizeof cell, "%.2f  ", r * axis.sampleMs() + offsetMs);
    out += cell;
    for (const auto& block : f.samples) {
      const auto i = static_cast<std::size_t>(r - 1);
      std::snprintf(cell, sizeof cell, ",%d  ", i < block.size() ? block[i] : 0);
      out += cell;
    }
    out += ",\n";
  }
  return out;
}

}  // namespace zavo::trace
