#include "trace/TraceView.h"

#include <algorithm>
#include <bit>

#include "trace/TraceColours.h"
#include "trace/TracePlotGeometry.h"

namespace zavo::trace {
namespace {

constexpr int kCursorStartA = 2;  // divisions from the edge where the cursors first stand
constexpr int kCursorStartB = 8;
constexpr int kPercent = 100;

// A division of each kind of signal when there is no record to scale it by.
int unitsFor(int source) {
  switch (TraceSources::kindOf(source)) {
    case SourceKind::Speed: return 1000;
    case SourceKind::Torque: return 50;
    case SourceKind::Digital: return 1;
    default: return kFallbackUnits;
  }
}

float periodWordOf(const TraceSettings& s) { return static_cast<float>(s.samplePeriodWord()); }

}  // namespace

TraceView::TraceView(int driveType, const TraceSettings& settings, const TerminalAssignments& terminals)
    : driveType_(driveType), time_(settings.mode, periodWordOf(settings), settings.interval, settings.pointsPerLine()) {
  for (std::size_t i = 0; i < 2; ++i) {
    cursors_.x[i] = (i == 0 ? kCursorStartA : kCursorStartB) * kBaseDivisionPx;
    cursors_.y[i] = (i == 0 ? kCursorStartA : kCursorStartB) * kBaseDivisionPx;
  }
  settings_ = settings;
  for (int c = 0; c < kChannelCount; ++c) chooseScale(c, defaultSelection(settings.sources[static_cast<std::size_t>(c)]));
  applySettings(settings, terminals);
}

void TraceView::applySettings(const TraceSettings& s, const TerminalAssignments& terminals) {
  const TraceSettings before = settings_;
  settings_ = s;
  terminals_ = terminals;
  triggerTimeKnown_ = true;
  for (std::size_t c = 0; c < kChannelCount; ++c) colours_[c] = colourWord(s.colours[c]);
  periodWordBits_ = std::bit_cast<std::uint32_t>(periodWordOf(s));
  points_ = s.pointsPerLine();
  const int zoom = time_.zoom();
  time_ = TraceTimeAxis(s.mode, periodWordOf(s), s.interval, points_);
  time_.setZoom(zoom);
  for (int c = 0; c < kChannelCount; ++c) {
    const auto i = static_cast<std::size_t>(c);
    const bool sourceChanged = before.sources[i] != s.sources[i];
    if (sourceChanged || before.mode != s.mode || (!autoAllowed() && scales_[i].selection == kScaleAuto))
      chooseScale(c, defaultSelection(s.sources[i]));
  }
  resetSamples();
}

std::string TraceView::legend(int c) const {
  const int src = settings_.sources[static_cast<std::size_t>(c)];
  return sources().name(src) + " [" + TraceSources::unit(src) + "]";
}

void TraceView::resetSamples() {
  for (auto& b : display_) b.assign(static_cast<std::size_t>(points_), 0);
  for (auto& b : stored_) b.assign(static_cast<std::size_t>(points_) + 1, 0);
}

void TraceView::clearForCapture() { resetSamples(); }

void TraceView::keepDisplayed() {
  for (std::size_t c = 0; c < kChannelCount; ++c) {
    stored_[c] = display_[c];
    stored_[c].resize(static_cast<std::size_t>(points_) + 1, 0);
  }
  reapplyAutoScales(false);
}

int TraceView::defaultSelection(int source) const {
  return autoAllowed() ? kScaleAuto : selectionOfUnits(unitsFor(source));
}

void TraceView::chooseScale(int c, int selection) {
  const auto i = static_cast<std::size_t>(c);
  if (selection == kScaleAuto && !autoAllowed()) selection = defaultSelection(settings_.sources[i]);
  const int units = selection == kScaleAuto ? autoUnits(largestMagnitude(stored_[i])) : unitsOfSelection(selection);
  scales_[i] = centred(selection, units);
}

void TraceView::reapplyAutoScales(bool fromDisplay) {
  for (std::size_t c = 0; c < kChannelCount; ++c)
    if (scales_[c].selection == kScaleAuto && autoAllowed())
      scales_[c] = centred(kScaleAuto, autoUnits(largestMagnitude(fromDisplay ? display_[c] : stored_[c])));
}

bool TraceView::moveUp(int c) { return trace::moveUp(scales_[static_cast<std::size_t>(c)]); }
bool TraceView::moveDown(int c) { return trace::moveDown(scales_[static_cast<std::size_t>(c)]); }
void TraceView::setSlider(int c, int slider) { trace::setSlider(scales_[static_cast<std::size_t>(c)], slider); }

double TraceView::timeDivisionPx() const { return trace::timeDivisionPx(time_); }

void TraceView::bringToFront(int c) {
  if (c < 0 || c >= kChannelCount) return;
  auto it = std::find(order_.begin(), order_.end(), c);
  std::rotate(it, it + 1, order_.end());
}

void TraceView::setMeasured(int c) {
  if (c < 0 || c >= kChannelCount) return;
  measured_ = c;
  bringToFront(c);
}

CursorReadout TraceView::readout() const {
  const auto m = static_cast<std::size_t>(measured_);
  return cursorReadout(cursors_, time_, {scales_[m], settings_.sources[m]}, {scales_[1], settings_.sources[1]},
                       {timeDivisionPx(), kValueDivisionPx});
}

bool TraceView::triggerMarks(double& x, double& y, bool& timeKnown) const {
  if (!settings_.triggered() || settings_.triggerChannel > kChannelCount) return false;
  const auto c = static_cast<std::size_t>(settings_.triggerChannel - 1);
  x = time_.xOf(static_cast<double>(points_) * settings_.triggerPosition / kPercent * time_.step(), timeDivisionPx());
  const double level = settings_.reverse[c] ? -settings_.triggerLevel : settings_.triggerLevel;
  y = yOf(level, scales_[c], kValueDivisionPx);
  timeKnown = triggerTimeKnown_;
  return true;
}

TraceRecordFile TraceView::record() const {
  TraceRecordFile f;
  f.mode = settings_.mode;
  f.sources = settings_.sources;
  f.colours = colours_;
  f.periodWordBits = periodWordBits_;
  f.interval = settings_.interval;
  f.points = points_;
  f.scales = scales_;
  f.timeSelection = time_.selection();
  f.scroll = time_.scroll();
  f.frontChannel = frontChannel();
  f.samples = stored_;
  f.repeatedHalfSpans = {scales_[2].halfSpan, scales_[3].halfSpan};
  f.terminals = terminals_;
  f.triggerChannel = settings_.triggerChannel;
  f.triggerLevel = settings_.triggerLevel;
  f.driveType = driveType_;
  return f;
}

void TraceView::takeRecord(const TraceRecordFile& f) {
  settings_.mode = f.mode;
  settings_.interval = f.interval;
  settings_.sources = f.sources;
  for (std::size_t c = 0; c < kChannelCount; ++c) settings_.colours[c] = std::max(0, colourIndexOf(f.colours[c]));
  settings_.triggerChannel = f.triggerChannel;
  settings_.triggerLevel = f.triggerLevel;
  terminals_ = f.terminals;
  colours_ = f.colours;
  periodWordBits_ = f.periodWordBits;
  points_ = f.points;
  const int zoom = time_.zoom();
  time_ = TraceTimeAxis(f.mode, f.periodWord(), f.interval, f.points);
  time_.setZoom(zoom);
  time_.select(f.timeSelection);
  time_.scrollTo(f.scroll);
  scales_ = f.scales;
  stored_ = f.samples;
  for (auto& s : stored_) s.resize(static_cast<std::size_t>(points_) + 1, 0);
  // The line on the screen has its points; the file's block holds one value more.
  for (std::size_t c = 0; c < kChannelCount; ++c)
    display_[c].assign(stored_[c].begin(), stored_[c].begin() + points_);
  triggerTimeKnown_ = false;
  order_ = {0, 1, 2, 3};
  bringToFront(f.frontChannel);
}

}  // namespace zavo::trace
