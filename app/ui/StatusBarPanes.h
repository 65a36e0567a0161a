#pragma once
// The main window's eight-pane status bar. It is the status sink of the connection core: a
// refresh of pane N sets its text from the snapshot. Pane widths follow the screen width.

#include <QStatusBar>

#include <array>

#include "app/StatusSink.h"

class QLabel;

namespace zavo {

class StatusBarPanes final : public QStatusBar, public StatusSink {
  Q_OBJECT
 public:
  explicit StatusBarPanes(QWidget* parent = nullptr);

  void refreshPane(int pane, const StatusSnapshot& snapshot) override;
  QString paneText(int pane) const;
  QLabel* pane(int pane) const;
  // Sets each pane to the screen width divided by its divisor.
  void applyWidths(int screenWidth);

 private:
  std::array<QLabel*, kStatusPaneCount> panes_{};
};

}  // namespace zavo
