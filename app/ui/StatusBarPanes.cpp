#include "app/ui/StatusBarPanes.h"

#include <QLabel>

namespace zavo {

StatusBarPanes::StatusBarPanes(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(false);
  for (int p = 0; p < kStatusPaneCount; ++p) {
    auto* label = new QLabel(QString::fromStdString(statusIndicatorText(p)), this);
    label->setObjectName(QStringLiteral("pane%1").arg(p));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    addPermanentWidget(label);
    panes_[static_cast<std::size_t>(p)] = label;
  }
}

QLabel* StatusBarPanes::pane(int p) const {
  if (p < 0 || p >= kStatusPaneCount) return nullptr;
  return panes_[static_cast<std::size_t>(p)];
}

void StatusBarPanes::refreshPane(int p, const StatusSnapshot& snapshot) {
  if (QLabel* label = pane(p)) {
    const QString text = QString::fromStdString(statusPaneText(p, snapshot));
    label->setText(text);
    // A text wider than its pane stays readable as a tool tip.
    label->setToolTip(text);
  }
}

QString StatusBarPanes::paneText(int p) const {
  const QLabel* label = pane(p);
  return label ? label->text() : QString();
}

void StatusBarPanes::applyWidths(int screenWidth) {
  for (int p = 0; p < kStatusPaneCount; ++p) pane(p)->setFixedWidth(screenWidth / statusPaneWidthDivisor(p));
}

}  // namespace zavo
