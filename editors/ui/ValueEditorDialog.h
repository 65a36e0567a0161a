#pragma once
// The value editor (resource 1247, caption "Edit"): one parameter's value typed as a number,
// with arrows stepping it within the limits. OK keeps the dialog open on a text that is not a
// number, and on a value the parameter cannot take ("Out of range!"), with the text selected
// for correction.

#include <cstdint>
#include <optional>
#include <string>

#include "editors/ValueEditorRules.h"
#include "platform/qt/ResourceDialog.h"

class QLineEdit;

namespace zavo {

inline constexpr int kIddValueEditor = 1247;
inline constexpr int kIdcEditCode = 1109;
inline constexpr int kIdcEditTitle = 1110;
inline constexpr int kIdcEditDecimal = 1044;
inline constexpr int kIdcEditHex = 1113;
inline constexpr int kIdcEditSpin = 1041;
inline constexpr int kIdcEditRange = 1013;
inline constexpr int kIdcEditUnit = 1118;
inline constexpr int kIdcEditDescription = 1123;
inline constexpr int kIdcEditSetModel = 1001;

struct ValueEditorRequest {
  ValueEditorSubject subject;
  std::string title;
  std::string unit;
  std::string description;  // the parameter's long help text, when there is one
  std::int32_t value = 0;
};

class ValueEditorDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit ValueEditorDialog(const ValueEditorRequest& request, QWidget* parent = nullptr);

  // The accepted value (the first value until OK accepts one).
  std::int32_t value() const { return value_; }
  // The edit box in use: 1044 for decimal entry, 1113 for hexadecimal.
  QLineEdit* entry() const { return entry_; }

  // Runs the dialog; the new value on OK, nothing on Cancel.
  static std::optional<std::int32_t> edit(const ValueEditorRequest& request, QWidget* parent);

 protected:
  void onOk() override;

 private:
  void step(int direction);
  void selectForCorrection();

  ValueEditorSubject subject_;
  std::int32_t value_;
  QLineEdit* entry_;
};

}  // namespace zavo
