#pragma once
// "Auto Gain Adjust" (dialog 142): which adjustment to run, always offered from "disable".

#include "platform/qt/ResourceDialog.h"

class QButtonGroup;

namespace zavo::tuning {

class AutoGainChoiceDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  enum Choice { kDisable = 0, kOffline = 1, kOnline = 2, kLoopGains = 3 };
  explicit AutoGainChoiceDialog(QWidget* parent = nullptr);
  int choice() const;

 private:
  QButtonGroup* group_;
};

}  // namespace zavo::tuning
