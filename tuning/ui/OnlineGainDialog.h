#pragma once
// "Online Gain Tune" (dialog 6010): the three learning rates of Pn345 and the gains the drive
// arrives at, refreshed every second.

#include <array>

#include "link/DriveOperations.h"
#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"
#include "tuning/OnlineGain.h"

class QComboBox;
class QLineEdit;

namespace zavo::tuning {

class OnlineGainDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit OnlineGainDialog(DriveOperations& ops, QWidget* parent = nullptr);
  // One tick of the timer (the tests run it at will).
  void refresh();

 protected:
  void onCancel() override;

 private:
  void showDigits();
  void write(int digit);

  DriveOperations& ops_;
  int pn345_ = 0;
  std::array<QComboBox*, kLearningDigits> digits_{};
  std::array<QLineEdit*, 3> results_{};
  WindowTimer timer_;
};

}  // namespace zavo::tuning
