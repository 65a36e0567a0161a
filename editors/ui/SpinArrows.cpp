#include "editors/ui/SpinArrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace zavo {
namespace {

QToolButton* arrow(Qt::ArrowType type, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setArrowType(type);
  b->setAutoRepeat(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  return b;
}

}  // namespace

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  QToolButton* up = arrow(Qt::UpArrow, this);
  QToolButton* down = arrow(Qt::DownArrow, this);
  layout->addWidget(up);
  layout->addWidget(down);
  connect(up, &QToolButton::clicked, this, [this] { Q_EMIT stepped(1); });
  connect(down, &QToolButton::clicked, this, [this] { Q_EMIT stepped(-1); });
}

}  // namespace zavo
