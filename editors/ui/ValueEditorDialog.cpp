#include "editors/ui/ValueEditorDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "editors/DigitLayout.h"
#include "editors/ui/SpinArrows.h"
#include "editors/ParameterSetModel.h"
#include "editors/ParameterSetTexts.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

constexpr const char* kCaption = "Edit";
constexpr int kEntryMinimumChars = 12;
constexpr const char* kModelCodeWarning =
    "Before operate your servo motor, check this parameter setting is compatible for servo drive and servo motor. "
    "A model code that does not match the motor may damage the drive or the motor.";

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ValueEditorDialog::ValueEditorDialog(const ValueEditorRequest& request, QWidget* parent)
    : ResourceDialog(request.subject.code == kModelCodeParameter ? kIddModelCodeEditor : kIddValueEditor, kCaption,
                     parent),
      subject_(request.subject), value_(request.value) {
  const bool modelCode = subject_.code == kModelCodeParameter;
  const bool hex = hexEntry(subject_.code);
  auto* code = addControl(kIdcEditCode, new QLabel(qs(subject_.code), this));
  auto* title = addControl(kIdcEditTitle, new QLabel(qs(request.title), this));
  QFont strong = code->font();
  strong.setBold(true);
  code->setFont(strong);
  title->setWordWrap(true);

  entry_ = addControl(hex ? kIdcEditHex : kIdcEditDecimal, new QLineEdit(qs(entryText(subject_, value_)), this));
  entry_->setMinimumWidth(entry_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kEntryMinimumChars);
  auto* spin = addControl(kIdcEditSpin, new SpinArrows(this));
  spin->setFixedHeight(entry_->sizeHint().height());
  connect(spin, &SpinArrows::stepped, this, &ValueEditorDialog::step);
  auto* unit = addControl(kIdcEditUnit, new QLabel(qs(request.unit), this));
  auto* range = addControl(kIdcEditRange, new QLabel(modelCode ? kModelCodeRangeLabel : qs(rangeLabel(subject_)), this));
  auto* description = addControl(kIdcEditDescription, new QLabel(qs(request.description), this));
  description->setWordWrap(true);
  description->setVisible(!request.description.empty());

  auto* grid = new QGridLayout;
  grid->addWidget(code, 0, 0);
  grid->addWidget(title, 0, 1, 1, 3);
  grid->addWidget(staticText("Set Value:"), 1, 0);
  auto* entryRow = new QHBoxLayout;
  entryRow->setSpacing(0);
  entryRow->addWidget(entry_);
  entryRow->addWidget(spin);
  grid->addLayout(entryRow, 1, 1);
  grid->addWidget(unit, 1, 2);
  grid->addWidget(staticText("Range:"), 2, 0);
  grid->addWidget(range, 2, 1, 1, 2);
  grid->setColumnStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  // The motor model list belongs to the motor set-up; the button shows where it will be.
  QPushButton* setModel = addButton(kIdcEditSetModel, "&Set Model...");
  setModel->setVisible(subject_.code == kModelCodeParameter);
  setModel->setEnabled(false);
  buttons->addWidget(setModel);
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  if (modelCode) {
    // The model code tells the drive which motor it drives: a wrong one is no small matter.
    auto* warning = staticText(kModelCodeWarning);
    warning->setWordWrap(true);
    layout->addWidget(warning);
  }
  layout->addWidget(description);
  layout->addLayout(buttons);
  entry_->selectAll();
  entry_->setFocus();
}

void ValueEditorDialog::selectForCorrection() {
  entry_->setFocus();
  entry_->selectAll();
}

void ValueEditorDialog::step(int direction) {
  const auto typed = parseEntry(subject_.code, entry_->text().toStdString());
  const std::int64_t from = typed ? *typed : value_;
  const std::int64_t to = std::clamp<std::int64_t>(from + direction, subject_.min, subject_.max);
  entry_->setText(qs(entryText(subject_, static_cast<std::int32_t>(to))));
}

void ValueEditorDialog::onOk() {
  std::int32_t v = 0;
  switch (judgeValue(subject_, entry_->text().toStdString(), v)) {
    case ValueVerdict::Accepted:
      value_ = v;
      ResourceDialog::onOk();
      return;
    // Text that is no number is no value in range either; a beep alone goes unnoticed.
    case ValueVerdict::BadText:
    case ValueVerdict::OutOfRange:
      prompt().ask({settext::outOfRange(), windowTitle().toStdString(), PromptIcon::Exclamation, PromptButtons::Ok});
      break;
  }
  selectForCorrection();
}

std::optional<std::int32_t> ValueEditorDialog::edit(const ValueEditorRequest& request, QWidget* parent) {
  ValueEditorDialog dialog(request, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.value();
}

}  // namespace zavo
