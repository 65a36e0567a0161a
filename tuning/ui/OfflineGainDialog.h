#pragma once
// Off-line auto gain adjustment (dialog 144): the test profile's three items, each with the
// drive's current value, a set value and "Write" (posted to the view as message 0x8B0), the
// blinking warning that OK makes the motor run, and the total inertia the drive reports.

#include <array>

#include "link/DriveOperations.h"
#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"
#include "tuning/AutoGain.h"

class QLabel;
class QLineEdit;

namespace zavo::tuning {

class OfflineGainDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  OfflineGainDialog(DriveOperations& ops, QObject* view, int driveType, int ratedSpeed, const Profile& current,
                    QWidget* parent = nullptr);

  void setCurrent(int item, int value);
  QString inertiaText() const;

 protected:
  void onOk() override;
  void onCancel() override;

 private:
  void write(int item);
  void blink();
  void showInertia();

  DriveOperations& ops_;
  QObject* view_;
  int driveType_;
  int ratedSpeed_;
  std::array<QLineEdit*, 3> current_{};
  std::array<QLineEdit*, 3> set_{};
  QLabel* warning_;
  QLabel* inertia_;
  WindowTimer blinkTimer_;
  WindowTimer inertiaTimer_;
};

}  // namespace zavo::tuning
