#pragma once
// The digit editors (resources 131, 138, 189, 218, 265-268, 272-277, 280, 1240-1242, 1252-1255):
// one packed parameter whose settings are chosen field by field, each from its drop-down list
// (or one check box per bit); the composed value shows in the read-only box as "%04X". OK
// takes the value when the parameter's limits hold it, else says "Out of range!".

#include <cstdint>
#include <optional>
#include <vector>

#include "editors/DigitLayout.h"
#include "editors/ui/ValueEditorDialog.h"
#include "platform/qt/ResourceDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zavo {

// The field lists: digit d's list is kIdcDigitListFirst + d (.1.0 is digit 0's, .2 digit 2's;
// a whole-value list is digit 0's); bit b's check box is kIdcDigitBitFirst + b.
inline constexpr int kIdcDigitListFirst = 1020;
inline constexpr int kIdcDigitBitFirst = 1030;
// The rigidity editor's preview of the gains: Pn310, Sn211, Sn212.
inline constexpr int kIdcRigidityLoopGain = 1040;
inline constexpr int kIdcRigiditySpeedGain = 1041;
inline constexpr int kIdcRigidityIntegral = 1042;

class DigitEditorDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  DigitEditorDialog(DigitLayout layout, const ValueEditorRequest& request, QWidget* parent = nullptr);

  std::int32_t value() const { return value_; }
  QComboBox* list(int controlId) const;

  static std::optional<std::int32_t> edit(DigitLayout layout, const ValueEditorRequest& request, QWidget* parent);

 protected:
  void onOk() override;

 private:
  QWidget* makeField(const DigitField& field, int controlId);
  void choose(const DigitField& field, int fieldValue);
  void showValue();

  DigitLayout layout_;
  std::int32_t value_;
  QLineEdit* box_;
  std::vector<QLabel*> preview_;
};

// What Edit in the Parameter Set editor opens for the parameter of `request`: a digit editor,
// the model code editor or the value editor. The new value on OK.
std::optional<std::int32_t> editParameterValue(const ValueEditorRequest& request, QWidget* parent);

}  // namespace zavo
