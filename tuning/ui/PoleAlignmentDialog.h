#pragma once
// Power pole alignment (dialog 6013): the alignment at power-on (OnF39, 668) and its current
// limit (OnF44, DBD), each written on its own, and the alignment's state (66B) every 500 ms.

#include "link/DriveOperations.h"
#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"

class QLabel;
class QLineEdit;

namespace zavo::tuning {

class PoleAlignmentDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit PoleAlignmentDialog(DriveOperations& ops, QWidget* parent = nullptr);
  void tick();
  QString statusText() const;

 protected:
  void onCancel() override;

 private:
  void write(bool current);

  DriveOperations& ops_;
  QLineEdit* onNow_;
  QLineEdit* onEdit_;
  QLineEdit* currentNow_;
  QLineEdit* currentEdit_;
  QLabel* status_;
  WindowTimer timer_;
};

}  // namespace zavo::tuning
