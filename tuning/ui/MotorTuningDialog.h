#pragma once
// Off-line motor identification (dialog 6004; the reduced form 6012 of the linear-motor set-up
// offers only the current loop, resistance and inductance tests). Its tests start with no
// parameters and fill the motor's results; it reads them all once when it opens.

#include "tuning/ui/SelfTuningWindow.h"

namespace zavo::tuning {

class MotorTuningDialog final : public SelfTuningWindow {
  Q_OBJECT
 public:
  MotorTuningDialog(DriveOperations& ops, bool reduced, QWidget* parent = nullptr);

 protected:
  bool startTest(const SelfTuningTest& test) override;

 private:
  bool reduced_;
};

}  // namespace zavo::tuning
