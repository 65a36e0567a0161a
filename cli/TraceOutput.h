#pragma once
// zavoctl trace --out: the record the trace window would hold at the end of the capture (the
// last 1024 points, or the 5120-point roll of Monitor mode), saved by the window's writers as
// a .trd file or a .csv export.

#include <string>

#include "trace/RecordQueue.h"
#include "trace/TraceDisplayFeed.h"
#include "trace/TraceSettings.h"
#include "trace/TraceSources.h"

namespace zavo::cli {

class TraceOutput {
 public:
  TraceOutput(const trace::TraceSettings& s, bool readBack);

  // One record as it leaves the queue.
  void take(const trace::TraceRecord& r);
  // Writes the record to `path`; false with `error` set when it could not be written.
  bool save(const std::string& path, int driveType, const trace::TerminalAssignments& terminals,
            std::string& error) const;

 private:
  trace::TraceSettings settings_;
  bool roll_;
  trace::DisplayBuffers line_;
  std::size_t taken_ = 0;
};

}  // namespace zavo::cli
