#pragma once
// The flying-shear (resource 192) and chase-shear (resource 6008) pages: one row per cam
// parameter or digit of ECA02, each field checked as it is typed; Write (1003) sends every
// row to the drive, OK copies them into the document.

#include <vector>

#include "editors/CamPage.h"
#include "platform/qt/ResourceDialog.h"

class QComboBox;
class QLineEdit;

namespace zavo {

class CamPageDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  CamPageDialog(CamKind kind, DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent = nullptr);

  CamPage& page() { return page_; }

 protected:
  void onOk() override;

 private:
  void showRows();
  void writeCommand();

  CamPage page_;
  std::vector<QWidget*> fields_;
};

}  // namespace zavo
