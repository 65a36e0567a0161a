#pragma once
// Where things go on the plot, in pixels from its top-left corner: the graticule lines, the
// value labels of each trace, the time labels below, and the line a trace is drawn as. The
// plot shows ten divisions of the base size each way. Zooming makes a time division larger
// and leaves the values as they are: each trace has its own scale and position for those,
// and a zoom that also stretched the values would push the traces off the plot's foot.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "trace/TraceScale.h"
#include "trace/TraceTimeAxis.h"

namespace zavo::trace {

inline constexpr int kBaseDivisionPx = 48;
inline constexpr int kPlotPx = kDivisions * kBaseDivisionPx;

inline double timeDivisionPx(const TraceTimeAxis& time) { return static_cast<double>(kBaseDivisionPx) * time.zoom(); }
inline constexpr double kValueDivisionPx = kBaseDivisionPx;

struct AxisLabel {
  double at = 0;  // pixel of the graticule line it belongs to
  std::string text;
  friend bool operator==(const AxisLabel&, const AxisLabel&) = default;
};

// Graticule lines within the plot: 0, d, 2d, ... up to the far edge.
std::vector<double> graticuleLines(double divisionPx);
// "%d" of H − j × U beside each horizontal graticule line j on the plot.
std::vector<AxisLabel> valueLabels(const ChannelScale& s, double divisionPx);
// "%.2f" of the time of every second vertical line, and of every line once a division is at
// least two base sizes.
std::vector<AxisLabel> timeLabels(const TraceTimeAxis& time);

struct PlotPoint {
  float x = 0;
  float y = 0;
  friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

struct TraceLook {
  bool reverse = false;  // drawn upside down
  bool stepped = false;  // a digital signal: level, then edge
};

// The line of `samples` (sample i at time i × D) from the scroll offset to the right edge,
// one sample beyond each edge. Where more than two samples share a pixel column, the column
// keeps its first, lowest, highest and last, which draws the same.
void tracePath(std::span<const std::int32_t> samples, const TraceTimeAxis& time, const ChannelScale& scale,
               TraceLook look, std::vector<PlotPoint>& out);

}  // namespace zavo::trace
