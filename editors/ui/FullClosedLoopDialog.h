#pragma once
// The full-closed-loop page (resource 6009): Pn346's two fields and Pn347-Pn349, each with the
// value the drive holds now (refreshed every second by timer 1 while a link is open), the value
// to set (checked as it is typed) and its own Write button.

#include <array>

#include "editors/FullClosedLoopPage.h"
#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"

class QLabel;
class QLineEdit;

namespace zavo {

class FullClosedLoopDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit FullClosedLoopDialog(DriveOperations& ops, QWidget* parent = nullptr);
  ~FullClosedLoopDialog() override;

  FullClosedLoopPage& page() { return page_; }
  WindowTimer& timer() { return timer_; }
  void timerTick();

 private:
  void showPresent();

  FullClosedLoopPage page_;
  std::array<QLabel*, kFullClosedLoopRows> present_{};
  std::array<QLineEdit*, kFullClosedLoopRows> set_{};
  WindowTimer timer_{kFullClosedLoopTimerId, this};
};

}  // namespace zavo
