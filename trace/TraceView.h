#pragma once
// What the trace window shows and how: the settings of the capture, the four display
// buffers the timers fill and the stored samples files and scales are made from, each
// trace's vertical scale, the time axis, the drawing order, the cursors and the legends.
// The window's widgets only show this state and hand the user's actions to it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "trace/TraceCursors.h"
#include "trace/TraceDisplayFeed.h"
#include "trace/TraceRecordFile.h"
#include "trace/TraceScale.h"
#include "trace/TraceSettings.h"
#include "trace/TraceSources.h"
#include "trace/TraceTimeAxis.h"

namespace zavo::trace {

class TraceView {
 public:
  TraceView(int driveType, const TraceSettings& settings, const TerminalAssignments& terminals);

  int driveType() const { return driveType_; }
  const TraceSettings& settings() const { return settings_; }
  const TerminalAssignments& terminals() const { return terminals_; }
  TraceSources sources() const { return TraceSources(driveType_, terminals_); }
  // New settings (the Trace Setting dialog's OK): the record and the buffers are cleared,
  // the time axis starts over, the traces keep their scales where the new mode allows.
  void applySettings(const TraceSettings& s, const TerminalAssignments& terminals);

  int points() const { return points_; }
  std::uint32_t colour(int c) const { return colours_[static_cast<std::size_t>(c)]; }
  std::string legend(int c) const;

  // ---- samples ----
  DisplayBuffers& display() { return display_; }
  const std::vector<std::int32_t>& display(int c) const { return display_[static_cast<std::size_t>(c)]; }
  const std::vector<std::int32_t>& stored(int c) const { return stored_[static_cast<std::size_t>(c)]; }
  // START and read-back: the buffers become a line of zeros and the record is forgotten.
  void clearForCapture();
  // STOP: what is shown becomes the record; automatic scales follow it.
  void keepDisplayed();

  // ---- vertical scales ----
  const ChannelScale& scale(int c) const { return scales_[static_cast<std::size_t>(c)]; }
  bool autoAllowed() const { return !settings_.monitor(); }
  // Entry `selection` of the scale list chosen for trace c (AUTO from the record), centred.
  void chooseScale(int c, int selection);
  // Every automatic scale again from `samples` (the record, or the line on the screen).
  void reapplyAutoScales(bool fromDisplay);
  bool moveUp(int c);
  bool moveDown(int c);
  void setSlider(int c, int slider);

  // ---- time ----
  TraceTimeAxis& time() { return time_; }
  const TraceTimeAxis& time() const { return time_; }
  double timeDivisionPx() const;

  // ---- drawing order ----
  const std::array<int, kChannelCount>& order() const { return order_; }
  int frontChannel() const { return order_.back(); }
  void bringToFront(int c);

  // ---- cursors ----
  TraceCursors& cursors() { return cursors_; }
  const TraceCursors& cursors() const { return cursors_; }
  int measured() const { return measured_; }
  void setMeasured(int c);
  CursorReadout readout() const;

  // ---- the trigger as drawn ----
  // Pixels of the trigger's level on the plot, and of its time when it is known (a trace
  // file keeps the trigger's channel and level, not its edge and position); false without a
  // trigger.
  bool triggerMarks(double& x, double& y, bool& timeKnown) const;
  bool triggerTimeKnown() const { return triggerTimeKnown_; }

  // ---- files ----
  TraceRecordFile record() const;
  // Takes a file (already held in range) over: settings, scales, time axis, samples.
  void takeRecord(const TraceRecordFile& f);

 private:
  void resetSamples();
  int defaultSelection(int source) const;

  int driveType_;
  TraceSettings settings_;
  TerminalAssignments terminals_;
  std::array<std::uint32_t, kChannelCount> colours_{};
  std::uint32_t periodWordBits_ = 0;
  int points_ = 0;
  DisplayBuffers display_;
  DisplayBuffers stored_;
  std::array<ChannelScale, kChannelCount> scales_{};
  TraceTimeAxis time_;
  std::array<int, kChannelCount> order_{0, 1, 2, 3};
  TraceCursors cursors_;
  int measured_ = 0;
  bool triggerTimeKnown_ = true;
};

}  // namespace zavo::trace
