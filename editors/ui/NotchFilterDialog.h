#pragma once
// Resonance Notch Filter Set (resource 229): the first notch filter's frequency (Cn013) and
// quality factor (Cn014), written to the drive. The mechanical analysis opens it with the
// resonance it found:
//
//   NotchFilterDialog::run(view.operations(), view.document(), resonanceHz, analysisWindow);

#include <cstdint>

#include "editors/NotchFilterPage.h"
#include "platform/qt/ResourceDialog.h"

class QLineEdit;

namespace zavo {

class NotchFilterDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  NotchFilterDialog(DriveOperations& ops, CZavoServoDoc& doc, std::int32_t frequency = 0, QWidget* parent = nullptr);

  QLineEdit* frequency() const { return frequency_; }
  QLineEdit* quality() const { return quality_; }

  // Runs the page modally with `frequency` in its field.
  static int run(DriveOperations& ops, CZavoServoDoc& doc, std::int32_t frequency, QWidget* parent);

 protected:
  // Write (button 1): the page closes once its fields passed the check, whatever the drive did.
  void onOk() override;

 private:
  NotchFilterPage page_;
  QLineEdit* frequency_;
  QLineEdit* quality_;
};

}  // namespace zavo
