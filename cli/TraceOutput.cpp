#include "cli/TraceOutput.h"

#include "trace/TraceFiles.h"
#include "trace/TraceView.h"

namespace zavo::cli {

TraceOutput::TraceOutput(const trace::TraceSettings& s, bool readBack)
    : settings_(s), roll_(s.monitor() && !readBack) {
  for (auto& b : line_) b.assign(static_cast<std::size_t>(s.pointsPerLine()), 0);
}

void TraceOutput::take(const trace::TraceRecord& r) {
  const std::size_t points = line_[0].size();
  for (std::size_t c = 0; c < trace::kChannelCount; ++c) {
    auto& b = line_[c];
    if (roll_) {
      // The Monitor line rolls: the oldest point leaves on the left.
      b.erase(b.begin());
      b.push_back(r.values[c]);
    } else {
      // Each record of 1024 takes the place of the one before, as the window shows it.
      b[taken_ % points] = r.values[c];
    }
  }
  ++taken_;
}

bool TraceOutput::save(const std::string& path, int driveType, const trace::TerminalAssignments& terminals,
                       std::string& error) const {
  trace::TraceView view(driveType, settings_, terminals);
  view.display() = line_;
  view.keepDisplayed();
  const trace::TraceSave s = trace::saveTraceFile(path, view.record());
  error = s.error;
  return s.outcome == trace::TraceSave::Outcome::Written;
}

}  // namespace zavo::cli
