#include "app/ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace zavo {
namespace {

QPixmap drawIcon(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1F, 0x4E, 0x8C));
  p.drawRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88), s * 0.16, s * 0.16);
  // One period of a damped oscillation: the step response an engineer tunes.
  QPainterPath trace;
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    const qreal t = static_cast<qreal>(i) / steps;
    const qreal y = 0.5 - 0.28 * std::exp(-3.0 * t) * std::cos(12.0 * t);
    const QPointF pt(s * (0.16 + 0.68 * t), s * y);
    if (i == 0)
      trace.moveTo(pt);
    else
      trace.lineTo(pt);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0xFF, 0xC1, 0x3B), std::max<qreal>(1.5, s * 0.07), Qt::SolidLine, Qt::RoundCap));
  p.drawPath(trace);
  return pm;
}

}  // namespace

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(drawIcon(size));
  return icon;
}

}  // namespace zavo
