#pragma once
// The time axis of the plot. Times are kept in steps of the sample period word W × 0.001 (D,
// one sample); the unit factor turns them into ms (0.01 in Single and Cycle mode, where W is
// interval × 10000 for an interval in 100 µs, and 1 in Monitor mode, interval in 10 ms).
//
// One division stands for T = full/10 − selection × D, never less than one sample. The plot
// shows ten divisions of the base size; zooming in makes a division larger (up to ten base
// sizes), so fewer of them fit and the record scrolls further. The scroll position counts
// divisions; the offset of the plot's left edge is position × T.

#include <cstdint>
#include <string>
#include <vector>

namespace zavo::trace {

inline constexpr int kMaxZoom = 10;
inline constexpr int kPageDivisions = 10;

class TraceTimeAxis {
 public:
  // `periodWord` is W; a W that cannot be a sample period (not a positive finite number of a
  // sane size) is replaced by interval × 10000.
  TraceTimeAxis(int mode, float periodWord, int interval, int points);

  double step() const { return step_; }            // D
  double full() const { return step_ * points_; }  // the whole record
  double unitFactor() const { return factor_; }
  double sampleMs() const { return step_ * factor_; }

  // T for `selection`, and for the selection chosen now.
  double perDivision(int selection) const;
  double perDivision() const { return perDivision(selection_); }
  // The combo's entries ("%.2f" of each T in ms), from the whole record to one sample.
  std::vector<std::string> scaleEntries() const;
  int scaleCount() const;
  int selection() const { return selection_; }
  // Chooses a time scale (held in the list) and keeps the scroll position in range.
  void select(int selection);

  int zoom() const { return zoom_; }
  bool zoomIn();   // false at ten base sizes
  bool zoomOut();  // false at one base size
  void setZoom(int zoom);

  int scroll() const { return scroll_; }
  // Divisions of the record beyond those shown, rounded up.
  int maxScroll() const;
  void lineLeft() { scrollTo(scroll_ - 1); }
  void lineRight() { scrollTo(scroll_ + 1); }
  void pageLeft() { scrollTo(scroll_ - kPageDivisions); }
  void pageRight() { scrollTo(scroll_ + kPageDivisions); }
  // The thumb dragged to `position` (held in range).
  void scrollTo(int position);
  double offset() const { return scroll_ * perDivision(); }

  // Time (in D units) at `x` pixels right of the plot's left edge, for a division of
  // `divisionPx`, and the pixel of time `t`.
  double timeAt(double x, double divisionPx) const { return offset() + x / divisionPx * perDivision(); }
  double xOf(double t, double divisionPx) const { return (t - offset()) / perDivision() * divisionPx; }
  // A time in D units as the user reads it (ms), "%.2f".
  std::string msText(double t) const;

 private:
  int points_;
  double step_;
  double factor_;
  int selection_ = 0;
  int scroll_ = 0;
  int zoom_ = 1;
};

}  // namespace zavo::trace
