#include "trace/ui/TracePlotPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include "trace/TraceColours.h"

namespace zavo {
namespace {

using namespace trace;

const QColor kBackground(Qt::black);
const QColor kGrid(64, 64, 64);
const QColor kAxis(112, 112, 112);
const QColor kText(200, 200, 200);
const QColor kCursor(255, 255, 255);
constexpr int kLegendLinePx = 16;
constexpr int kLegendColumns = 2;
constexpr int kMarkPx = 6;     // trigger marks
constexpr int kCrossPx = 5;    // the arms of a cross cursor
constexpr int kTextGapPx = 4;
constexpr int kFontPx = 11;

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QColor traceColour(std::uint32_t word) {
  const Rgb c = rgbOfWord(word);
  return QColor(c.r, c.g, c.b);
}

QRect plotRect() { return QRect(kPlotLeftPx, kPlotTopPx, kPlotPx, kPlotPx); }

QSize plotPictureSize() { return QSize(kPlotLeftPx + kPlotPx + kPlotRightPx, kPlotTopPx + kPlotPx + kPlotBottomPx); }

QImage TracePlotPainter::picture(const TraceView& view) {
  QImage image(plotPictureSize(), QImage::Format_RGB32);
  QPainter p(&image);
  paint(p, view);
  return image;
}

void TracePlotPainter::paint(QPainter& p, const TraceView& v) {
  p.fillRect(QRect(QPoint(0, 0), plotPictureSize()), kBackground);
  QFont font = p.font();
  font.setPixelSize(kFontPx);
  p.setFont(font);
  legends(p, v);
  valueLabels(p, v);
  timeLabels(p, v);
  p.save();
  p.setClipRect(plotRect().adjusted(0, 0, 1, 1));
  p.translate(plotRect().topLeft());
  graticule(p, v);
  traces(p, v);
  trigger(p, v);
  cursors(p, v);
  p.restore();
}

void TracePlotPainter::legends(QPainter& p, const TraceView& v) {
  const int width = (plotPictureSize().width() - kPlotLeftPx / 2) / kLegendColumns;
  for (int c = 0; c < kChannelCount; ++c) {
    QString text = QStringLiteral("%1: ").arg(c + 1) + qs(v.legend(c));
    if (v.settings().reverse[static_cast<std::size_t>(c)]) text += QStringLiteral("  (reversed)");
    p.setPen(traceColour(v.colour(c)));
    const QRect box(kPlotLeftPx / 2 + (c % kLegendColumns) * width, 2 + (c / kLegendColumns) * kLegendLinePx, width,
                    kLegendLinePx);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, p.fontMetrics().elidedText(text, Qt::ElideRight, box.width()));
  }
}

void TracePlotPainter::valueLabels(QPainter& p, const TraceView& v) {
  const int half = p.fontMetrics().height() / 2;
  for (int c = 0; c < kChannelCount; ++c) {
    if (v.settings().sources[static_cast<std::size_t>(c)] == kSourceNone) continue;
    p.setPen(traceColour(v.colour(c)));
    const int right = kPlotLeftPx - kTextGapPx - (kChannelCount - 1 - c) * kPlotLabelColumnPx;
    for (const AxisLabel& l : trace::valueLabels(v.scale(c), kValueDivisionPx)) {
      const int y = kPlotTopPx + static_cast<int>(l.at);
      p.drawText(QRect(right - kPlotLabelColumnPx, y - half, kPlotLabelColumnPx, 2 * half), Qt::AlignRight | Qt::AlignVCenter,
                 qs(l.text));
    }
  }
}

void TracePlotPainter::timeLabels(QPainter& p, const TraceView& v) {
  p.setPen(kText);
  const int top = kPlotTopPx + kPlotPx + kTextGapPx;
  const int width = 2 * kPlotLabelColumnPx;
  for (const AxisLabel& l : trace::timeLabels(v.time())) {
    const int x = kPlotLeftPx + static_cast<int>(l.at);
    p.drawText(QRect(x - width / 2, top, width, kPlotBottomPx - kTextGapPx), Qt::AlignHCenter | Qt::AlignTop, qs(l.text));
  }
}

void TracePlotPainter::graticule(QPainter& p, const TraceView& v) {
  p.setPen(QPen(kGrid, 1, Qt::DotLine));
  for (double at : graticuleLines(v.timeDivisionPx())) p.drawLine(QPointF(at, 0), QPointF(at, kPlotPx));
  for (double at : graticuleLines(kValueDivisionPx)) p.drawLine(QPointF(0, at), QPointF(kPlotPx, at));
  p.setPen(QPen(kAxis, 1));
  p.drawRect(QRect(0, 0, kPlotPx, kPlotPx));
}

void TracePlotPainter::traces(QPainter& p, const TraceView& v) {
  const TraceSources sources = v.sources();
  for (int c : v.order()) {
    const auto i = static_cast<std::size_t>(c);
    if (v.settings().sources[i] == kSourceNone) continue;
    const TraceLook look{v.settings().reverse[i], sources.isDigital(v.settings().sources[i])};
    tracePath(v.display(c), v.time(), v.scale(c), look, line_);
    points_.resize(line_.size());
    for (std::size_t k = 0; k < line_.size(); ++k) points_[k] = QPointF(line_[k].x, line_[k].y);
    p.setPen(QPen(traceColour(v.colour(c)), 1));
    p.drawPolyline(points_.data(), static_cast<int>(points_.size()));
  }
}

void TracePlotPainter::trigger(QPainter& p, const TraceView& v) {
  double x = 0, y = 0;
  bool timeKnown = false;
  if (!v.triggerMarks(x, y, timeKnown)) return;
  const QColor colour = traceColour(v.colour(v.settings().triggerChannel - 1));
  p.setPen(QPen(colour, 1, Qt::DashLine));
  p.drawLine(QPointF(0, y), QPointF(kPlotPx, y));
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  // The trigger's time: a mark hanging from the top edge; its level: a mark at the right edge.
  p.drawPolygon(QPolygonF({QPointF(kPlotPx, y - kMarkPx), QPointF(kPlotPx, y + kMarkPx), QPointF(kPlotPx - 2 * kMarkPx, y)}));
  if (!timeKnown) {
    p.setBrush(Qt::NoBrush);
    return;
  }
  p.drawPolygon(QPolygonF({QPointF(x - kMarkPx, 0), QPointF(x + kMarkPx, 0), QPointF(x, 2 * kMarkPx)}));
  p.setBrush(Qt::NoBrush);
  p.setPen(colour);
  p.drawText(QPointF(x + kMarkPx + 2, 2 * kMarkPx), QStringLiteral("T"));
}

void TracePlotPainter::cursors(QPainter& p, const TraceView& v) {
  const TraceCursors& c = v.cursors();
  if (!c.shown) return;
  const bool vertical = c.mode == CursorMode::Vertical;
  const bool cross = c.style == CursorStyle::Cross;
  const auto m = static_cast<std::size_t>(v.measured());
  for (int k = kCursorA; k <= kCursorB; ++k) {
    const int at = c.lines()[static_cast<std::size_t>(k)];
    p.setPen(QPen(kCursor, 1, k == v.cursors().selected ? Qt::SolidLine : Qt::DashLine));
    if (cross) p.setPen(QPen(kCursor, 1, Qt::DotLine));
    const QString name = k == kCursorA ? QStringLiteral("A") : QStringLiteral("B");
    if (vertical) {
      p.drawLine(QPointF(at, 0), QPointF(at, kPlotPx));
      p.drawText(QPointF(at + 3, kPlotPx - kTextGapPx), name);
    } else {
      p.drawLine(QPointF(0, at), QPointF(kPlotPx, at));
      p.drawText(QPointF(kTextGapPx, at - 3), name);
    }
    if (!cross || !vertical) continue;
    // Where the cursor meets the measured trace.
    const auto& samples = v.display(v.measured());
    const double t = v.time().timeAt(at, v.timeDivisionPx()) / v.time().step();
    const auto i = static_cast<std::size_t>(std::max(0.0, std::round(t)));
    if (i >= samples.size()) continue;
    const double value = v.settings().reverse[m] ? -samples[i] : samples[i];
    const double y = yOf(value, v.scale(v.measured()), kValueDivisionPx);
    p.setPen(QPen(kCursor, 1));
    p.drawLine(QPointF(at - kCrossPx, y), QPointF(at + kCrossPx, y));
    p.drawLine(QPointF(at, y - kCrossPx), QPointF(at, y + kCrossPx));
  }
}

}  // namespace zavo
