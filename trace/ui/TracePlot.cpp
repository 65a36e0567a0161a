#include "trace/ui/TracePlot.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zavo {

using namespace trace;

TracePlot::TracePlot(TraceView& view, QWidget* parent) : QWidget(parent), view_(view) {
  setFixedSize(plotPictureSize());
  setAttribute(Qt::WA_OpaquePaintEvent);
  refresh();
}

void TracePlot::refresh() {
  picture_ = painter_.picture(view_);
  update();
}

void TracePlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, picture_);
}

int TracePlot::along(const QPoint& p) const {
  const QPoint local = p - plotRect().topLeft();
  return view_.cursors().mode == CursorMode::Vertical ? local.x() : local.y();
}

void TracePlot::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !view_.cursors().shown) return;
  if (!plotRect().contains(e->position().toPoint())) return;
  dragging_ = pickCursor(view_.cursors(), along(e->position().toPoint()));
  if (dragging_ != kNoCursor) view_.cursors().selected = dragging_;
}

void TracePlot::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_ == kNoCursor) return;
  view_.cursors().lines()[static_cast<std::size_t>(dragging_)] = std::clamp(along(e->position().toPoint()), 0, kPlotPx);
  refresh();
  Q_EMIT cursorsMoved();
}

void TracePlot::mouseReleaseEvent(QMouseEvent* e) {
  if (dragging_ != kNoCursor) mouseMoveEvent(e);
  dragging_ = kNoCursor;
}

}  // namespace zavo
