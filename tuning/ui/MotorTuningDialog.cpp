#include "tuning/ui/MotorTuningDialog.h"

#include "tuning/SelfTuning.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {

MotorTuningDialog::MotorTuningDialog(DriveOperations& ops, bool reduced, QWidget* parent)
    : SelfTuningWindow(reduced ? kMotorTuningReducedDialog : kMotorTuningDialog, "Off-line Motor Self-tuning", ops,
                       motorTests(), motorFields(), false, true, parent),
      reduced_(reduced) {
  // The reduced form offers the current loop, resistance and inductance tests; the buttons of
  // the full set and the dead-time test stay but do nothing.
  if (reduced_)
    for (const int id : {kButtonTest5, kButtonTest6, kButtonTest7})
      if (QWidget* b = controlWidget(id)) b->hide();
  readFields(motorFields());
}

bool MotorTuningDialog::startTest(const SelfTuningTest& test) {
  if (reduced_ && test.button != kButtonTest1 && test.button != kButtonTest2 && test.button != kButtonTest4) return false;
  return startMotor(ops(), test);
}

}  // namespace zavo::tuning
