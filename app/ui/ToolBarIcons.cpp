#include "app/ui/ToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace zavo {
namespace {

const QColor kInk(0x30, 0x30, 0x30);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kBody(0x8A, 0x93, 0x9E);
const QColor kAccent(0x1F, 0x4E, 0x8C);
const QColor kSignal(0x2E, 0x9E, 0x44);

// Every picture is drawn on a 16-unit grid and scaled to the pixmap.
void drawPrinter(QPainter& p) {
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));  // the sheet going in
  p.setBrush(kBody);
  p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.2, 1.2);  // the body
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 10, 7, 4.5));  // the printed sheet
  p.setPen(QPen(kAccent, 0.8));
  p.drawLine(QPointF(5.5, 11.8), QPointF(10.5, 11.8));
  p.drawLine(QPointF(5.5, 13.2), QPointF(9.5, 13.2));
  p.setPen(Qt::NoPen);
  p.setBrush(kSignal);
  p.drawEllipse(QPointF(12.5, 8), 0.8, 0.8);
}

void drawPlug(QPainter& p) {
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(kBody);
  p.drawRoundedRect(QRectF(3, 5, 7, 6), 1, 1);  // the plug's body
  p.setBrush(kAccent);
  p.drawRect(QRectF(10, 6, 3.5, 1.2));  // its two pins
  p.drawRect(QRectF(10, 8.8, 3.5, 1.2));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
  QPainterPath cable;
  cable.moveTo(3, 8);
  cable.cubicTo(0.5, 8, 2.5, 14, 0.8, 15);
  p.drawPath(cable);
}

void drawList(QPainter& p) {
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  for (int row = 0; row < 4; ++row) {
    const qreal y = 4 + row * 3;
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(3.5, y), QPointF(8, y));
    p.setPen(QPen(row == 1 ? QColor(Qt::red) : kAccent, 1.2));
    p.drawLine(QPointF(9.5, y), QPointF(12.5, y));
  }
}

void drawWave(QPainter& p) {
  p.setPen(QPen(kInk, 0.8));
  p.setBrush(QColor(0x10, 0x20, 0x18));
  p.drawRoundedRect(QRectF(1, 2, 14, 12), 1.5, 1.5);  // the scope's screen
  p.setPen(QPen(QColor(0x50, 0x70, 0x60), 0.4));
  p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
  QPainterPath trace;
  for (int i = 0; i <= 40; ++i) {
    const qreal x = 2 + 12.0 * i / 40;
    const qreal y = 8 - 4 * std::sin(i * 0.47);
    if (i == 0)
      trace.moveTo(x, y);
    else
      trace.lineTo(x, y);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x7C, 0xFC, 0x9C), 1.1));
  p.drawPath(trace);
}

QPixmap draw(ToolBarPicture picture, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  switch (picture) {
    case ToolBarPicture::Print: drawPrinter(p); break;
    case ToolBarPicture::Connect: drawPlug(p); break;
    case ToolBarPicture::EditParameter: drawList(p); break;
    case ToolBarPicture::WaveTrace: drawWave(p); break;
  }
  return pm;
}

}  // namespace

QIcon toolBarIcon(ToolBarPicture picture) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(draw(picture, size));
  return icon;
}

}  // namespace zavo
