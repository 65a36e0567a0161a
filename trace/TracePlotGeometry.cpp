#include "trace/TracePlotGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zavo::trace {
namespace {

// Far beyond the plot a line only needs its direction; this keeps coordinates sane.
constexpr double kFarPx = 1e6;
constexpr double kEdgeEpsilon = 1e-6;

float clampPx(double v) { return static_cast<float>(std::clamp(v, -kFarPx, kFarPx)); }

}  // namespace

std::vector<double> graticuleLines(double d) {
  std::vector<double> lines;
  for (int j = 0; j * d <= kPlotPx + kEdgeEpsilon; ++j) lines.push_back(j * d);
  return lines;
}

std::vector<AxisLabel> valueLabels(const ChannelScale& s, double d) {
  std::vector<AxisLabel> labels;
  const auto lines = graticuleLines(d);
  for (std::size_t j = 0; j < lines.size(); ++j) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld",
                  static_cast<long long>(s.halfSpan) - static_cast<long long>(j) * static_cast<long long>(s.units));
    labels.push_back({lines[j], buf});
  }
  return labels;
}

std::vector<AxisLabel> timeLabels(const TraceTimeAxis& time) {
  const double d = timeDivisionPx(time);
  const bool everyLine = time.zoom() >= 2;
  std::vector<AxisLabel> labels;
  const auto lines = graticuleLines(d);
  for (std::size_t j = 0; j < lines.size(); ++j)
    if (everyLine || j % 2 == 0)
      labels.push_back({lines[j], time.msText(static_cast<double>(j) * time.perDivision() + time.offset())});
  return labels;
}

void tracePath(std::span<const std::int32_t> samples, const TraceTimeAxis& time, const ChannelScale& scale,
               TraceLook look, std::vector<PlotPoint>& out) {
  out.clear();
  if (samples.empty()) return;
  const double d = timeDivisionPx(time);
  const double pxPerSample = time.step() / time.perDivision() * d;
  const double first = std::floor(time.offset() / time.step());
  const double last = std::ceil((time.offset() + kPlotPx / d * time.perDivision()) / time.step());
  const auto begin = static_cast<std::size_t>(std::clamp(first - 1, 0.0, static_cast<double>(samples.size())));
  const auto end = static_cast<std::size_t>(std::clamp(last + 2, 0.0, static_cast<double>(samples.size())));
  const double x0 = time.xOf(0, d);
  auto yOfSample = [&](std::int32_t v) {
    return clampPx(yOf(look.reverse ? -static_cast<double>(v) : static_cast<double>(v), scale, kValueDivisionPx));
  };

  if (pxPerSample >= 0.5) {
    for (std::size_t i = begin; i < end; ++i) {
      const float x = clampPx(x0 + static_cast<double>(i) * pxPerSample);
      const float y = yOfSample(samples[i]);
      if (look.stepped && !out.empty()) out.push_back({x, out.back().y});
      out.push_back({x, y});
    }
    return;
  }
  // Several samples to a column: its first, lowest, highest and last value.
  std::size_t i = begin;
  while (i < end) {
    const double column = std::floor(x0 + static_cast<double>(i) * pxPerSample);
    const float yFirst = yOfSample(samples[i]);
    float lo = yFirst, hi = yFirst, yLast = yFirst;
    std::size_t j = i + 1;
    for (; j < end && std::floor(x0 + static_cast<double>(j) * pxPerSample) == column; ++j) {
      yLast = yOfSample(samples[j]);
      lo = std::min(lo, yLast);
      hi = std::max(hi, yLast);
    }
    const float x = clampPx(column);
    out.push_back({x, yFirst});
    if (j - i > 1) {
      out.push_back({x, lo});
      out.push_back({x, hi});
      out.push_back({x, yLast});
    }
    i = j;
  }
}

}  // namespace zavo::trace
