#pragma once
// About ZavoServo (resource 100): the program's icon, its version text by drive type (control
// 1097) and OK.

#include "platform/qt/ResourceDialog.h"

namespace zavo {

class AboutDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  AboutDialog(int driveType, QWidget* parent = nullptr);
};

}  // namespace zavo
