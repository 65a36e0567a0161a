#pragma once
// Painting the trace plot: on black, the legends above, a column of value labels per trace
// on the left, the 10 × 10 graticule, the traces from the scroll offset in their colours
// (the front one last), the trigger's time and level, the cursor lines, and the time labels
// below. The same picture goes to the screen, the clipboard and image files.

#include <QImage>
#include <QPoint>
#include <QRect>

#include <vector>

#include "trace/TracePlotGeometry.h"
#include "trace/TraceView.h"

class QPainter;

namespace zavo {

// The picture's margins around the plot.
inline constexpr int kPlotLabelColumnPx = 52;  // one column of value labels per trace
inline constexpr int kPlotLeftPx = trace::kChannelCount * kPlotLabelColumnPx + 8;
inline constexpr int kPlotTopPx = 40;          // two lines of legends
inline constexpr int kPlotRightPx = 32;
inline constexpr int kPlotBottomPx = 28;       // the time labels

// Where the plot lies in the picture, and the picture's size.
QRect plotRect();
QSize plotPictureSize();

class TracePlotPainter {
 public:
  // Paints the whole picture of `view` with `painter` (its origin at the picture's corner).
  void paint(QPainter& painter, const trace::TraceView& view);
  // The picture as an image.
  QImage picture(const trace::TraceView& view);

 private:
  void legends(QPainter& p, const trace::TraceView& v);
  void valueLabels(QPainter& p, const trace::TraceView& v);
  void graticule(QPainter& p, const trace::TraceView& v);
  void traces(QPainter& p, const trace::TraceView& v);
  void trigger(QPainter& p, const trace::TraceView& v);
  void cursors(QPainter& p, const trace::TraceView& v);
  void timeLabels(QPainter& p, const trace::TraceView& v);

  std::vector<trace::PlotPoint> line_;
  std::vector<QPointF> points_;
};

QColor traceColour(std::uint32_t rgbWord);

}  // namespace zavo
