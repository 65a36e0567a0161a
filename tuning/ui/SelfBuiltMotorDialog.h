#pragma once
// The self-built motor's data (dialog 6011): the model (Cn030) and the motor data, each in a
// masked edit with the value it means shown beside it. "Write" sends them (after the repower
// notice); OK only checks them. Two buttons open the reduced motor identification and the
// mechanical self-tuning.

#include <functional>
#include <vector>

#include "link/DriveOperations.h"
#include "platform/qt/ResourceDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace zavo::tuning {

class SelfBuiltMotorDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  SelfBuiltMotorDialog(DriveOperations& ops, std::function<void(bool mechanical)> openTuning, QWidget* parent = nullptr);

  QLineEdit* datumEdit(int index) const { return edits_[static_cast<std::size_t>(index)]; }
  void setModel(int model);

 protected:
  void onOk() override;

 private:
  void write();
  std::vector<std::int64_t> values(int& bad) const;
  int model() const;
  void select(int index);

  DriveOperations& ops_;
  std::function<void(bool)> openTuning_;
  int currentModel_ = 0;
  QComboBox* model_;
  std::vector<QLineEdit*> edits_;
  std::vector<QLabel*> shown_;
};

}  // namespace zavo::tuning
