#pragma once
// The plot of the trace window: shows the picture of the trace view, drawn off screen and put
// on the window in one step, and lets the user take a cursor line with the mouse and drag it.

#include <QImage>
#include <QWidget>

#include "trace/TraceView.h"
#include "trace/ui/TracePlotPainter.h"

namespace zavo {

class TracePlot final : public QWidget {
  Q_OBJECT
 public:
  TracePlot(trace::TraceView& view, QWidget* parent = nullptr);

  // Paints the picture again from the view and shows it.
  void refresh();
  // The picture as it is shown (plot and label margins).
  const QImage& picture() const { return picture_; }
  QSize sizeHint() const override { return plotPictureSize(); }

 Q_SIGNALS:
  // A cursor was moved with the mouse.
  void cursorsMoved();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  // The pointer's position along the cursors' axis, from the plot's edge.
  int along(const QPoint& p) const;

  trace::TraceView& view_;
  TracePlotPainter painter_;
  QImage picture_;
  int dragging_ = trace::kNoCursor;
};

}  // namespace zavo
