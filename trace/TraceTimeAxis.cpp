#include "trace/TraceTimeAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "trace/TraceScale.h"
#include "trace/TraceSettings.h"

namespace zavo::trace {
namespace {

constexpr double kStepPerWord = 0.001;
constexpr double kFastFactor = 0.01;
constexpr double kMonitorFactor = 1;
constexpr double kPeriodWordPerInterval = 10000;
// The largest W a sample period can have (1250 × 100 µs), with room for rounding.
constexpr double kLargestPeriodWord = 1250 * kPeriodWordPerInterval * 2;
// Two times closer than this are one (T is a difference of binary fractions).
constexpr double kTimeEpsilon = 1e-9;

double sanePeriodWord(float w, int interval) {
  if (std::isfinite(w) && w > 0 && w <= kLargestPeriodWord) return w;
  return std::max(1, interval) * kPeriodWordPerInterval;
}

}  // namespace

TraceTimeAxis::TraceTimeAxis(int mode, float periodWord, int interval, int points)
    : points_(std::max(1, points)), step_(sanePeriodWord(periodWord, interval) * kStepPerWord),
      factor_(mode == static_cast<int>(TraceMode::Monitor) ? kMonitorFactor : kFastFactor) {}

double TraceTimeAxis::perDivision(int selection) const {
  return std::max(step_, full() / kDivisions - selection * step_);
}

int TraceTimeAxis::scaleCount() const {
  // Every entry above one sample, then the sample itself.
  const double tenth = full() / kDivisions;
  int above = 0;
  while (tenth - above * step_ > step_ + kTimeEpsilon * step_) ++above;
  return above + 1;
}

std::vector<std::string> TraceTimeAxis::scaleEntries() const {
  std::vector<std::string> e;
  const int n = scaleCount();
  e.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) e.push_back(msText(perDivision(i)));
  return e;
}

void TraceTimeAxis::select(int selection) {
  selection_ = std::clamp(selection, 0, scaleCount() - 1);
  scrollTo(scroll_);
}

bool TraceTimeAxis::zoomIn() {
  if (zoom_ >= kMaxZoom) return false;
  setZoom(zoom_ + 1);
  return true;
}

bool TraceTimeAxis::zoomOut() {
  if (zoom_ <= 1) return false;
  setZoom(zoom_ - 1);
  return true;
}

void TraceTimeAxis::setZoom(int zoom) {
  zoom_ = std::clamp(zoom, 1, kMaxZoom);
  scrollTo(scroll_);
}

int TraceTimeAxis::maxScroll() const {
  const double shown = static_cast<double>(kDivisions) / zoom_;
  const double beyond = full() / perDivision() - shown;
  return beyond <= kTimeEpsilon ? 0 : static_cast<int>(std::ceil(beyond - kTimeEpsilon));
}

void TraceTimeAxis::scrollTo(int position) { scroll_ = std::clamp(position, 0, maxScroll()); }

std::string TraceTimeAxis::msText(double t) const {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", t * factor_);
  return buf;
}

}  // namespace zavo::trace
