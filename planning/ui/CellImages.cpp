#include "planning/ui/CellImages.h"

#include <QPainter>
#include <QPixmap>

#include <array>

#include "planning/ui/PlanningIds.h"

namespace zavo::planning {
namespace {

constexpr int kSide = 15;
constexpr int kStates = 3;

QIcon draw(int state) {
  QPixmap p(kSide, kSide);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  const QRectF box(0.5, 0.5, kSide - 1, kSide - 1);
  if (state == 0) {
    g.setPen(QColor(0x9A, 0x9A, 0x9A));
    g.setBrush(Qt::white);
    g.drawRect(box);
    return QIcon(p);
  }
  // Level 1 green with "1", level 0 amber with "0": told apart by colour and by figure.
  const QColor fill = state == 1 ? QColor(0x2E, 0x8B, 0x3A) : QColor(0xD9, 0x82, 0x1E);
  g.setPen(fill.darker(130));
  g.setBrush(fill);
  g.drawEllipse(box);
  QFont f = g.font();
  f.setPixelSize(kSide - 4);
  f.setBold(true);
  g.setFont(f);
  g.setPen(Qt::white);
  g.drawText(box, Qt::AlignCenter, state == 1 ? QStringLiteral("1") : QStringLiteral("0"));
  return QIcon(p);
}

}  // namespace

const QIcon& cellImage(int state) {
  static const std::array<QIcon, kStates> images{draw(0), draw(1), draw(2)};
  return images[static_cast<std::size_t>(state >= 0 && state < kStates ? state : 0)];
}

int cellImageId(int state) {
  return state == 1 ? kIdbCellLevel1 : state == 2 ? kIdbCellLevel0 : kIdbCellEmpty;
}

}  // namespace zavo::planning
