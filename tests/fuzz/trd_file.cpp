// The trace data file reader on arbitrary bytes: bounded, and whatever it takes in is held
// where it can be drawn and writes back as a file that reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "trace/TraceCsv.h"
#include "trace/TraceRecordFile.h"
#include "trace/TraceTimeAxis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zavo::trace;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto f = parseTraceFile(bytes, 0);
  if (!f) return 0;
  if (f->points < 1 || f->points > kMaxFilePoints || f->mode < 0 || f->mode > 2) std::abort();
  for (const auto& block : f->samples)
    if (block.size() != static_cast<std::size_t>(f->points) + 1) std::abort();
  clampDrawingState(*f, TraceSources(f->driveType, f->terminals));
  for (int src : f->sources)
    if (src < 0) std::abort();
  if (f->frontChannel < 0 || f->frontChannel >= kChannelCount) std::abort();
  TraceTimeAxis axis(f->mode, f->periodWord(), f->interval, f->points);
  axis.select(f->timeSelection);
  axis.scrollTo(f->scroll);
  if (axis.selection() != f->timeSelection || axis.scroll() != f->scroll) std::abort();
  const auto again = parseTraceFile(traceFileBytes(*f), 0);
  if (!again || traceFileBytes(*again) != traceFileBytes(*f)) std::abort();
  (void)traceCsvText(*f);
  return 0;
}
