#include "editors/ui/DigitEditorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/ParameterSetTexts.h"
#include "params/catalogue/Rigidity.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

constexpr const char* kCaption = "Edit";
constexpr int kDigitFields = 4;

QString qs(const std::string& s) { return QString::fromStdString(s); }

int controlOf(const DigitField& f) {
  if (f.width == 1) return kIdcDigitBitFirst + f.shift;
  return kIdcDigitListFirst + f.shift / 4;
}

QString choiceText(const DigitField& f, const DigitChoice& c) {
  const QString number = qs(f.valueText(c.value));
  return c.text.empty() ? number : number + QStringLiteral(": ") + qs(c.text);
}

}  // namespace

DigitEditorDialog::DigitEditorDialog(DigitLayout layout, const ValueEditorRequest& request, QWidget* parent)
    : ResourceDialog(layout.resource, kCaption, parent), layout_(std::move(layout)), value_(request.value) {
  auto* code = addControl(kIdcEditCode, new QLabel(qs(layout_.code), this));
  QFont strong = code->font();
  strong.setBold(true);
  code->setFont(strong);
  auto* title = addControl(kIdcEditTitle, new QLabel(qs(request.title), this));
  title->setWordWrap(true);
  box_ = addControl(kIdcEditHex, new QLineEdit(this));
  box_->setReadOnly(true);
  auto* range = addControl(kIdcEditRange, new QLabel(qs(layout_.rangeLabel), this));
  auto* unit = addControl(kIdcEditUnit, new QLabel(qs(request.unit), this));
  auto* description = addControl(kIdcEditDescription, new QLabel(qs(request.description), this));
  description->setWordWrap(true);
  description->setVisible(!request.description.empty());

  auto* head = new QGridLayout;
  head->addWidget(code, 0, 0);
  head->addWidget(title, 0, 1, 1, 2);
  head->addWidget(staticText("Set Value:"), 1, 0);
  head->addWidget(box_, 1, 1);
  head->addWidget(unit, 1, 2);
  head->addWidget(staticText("Range:"), 2, 0);
  head->addWidget(range, 2, 1, 1, 2);
  head->setColumnStretch(2, 1);

  auto* fields = new QGridLayout;
  int row = 0;
  if (layout_.kind == DigitEditorKind::Digits) {
    // Every digit has its list; the digits the parameter does not use stay disabled.
    for (int d = kDigitFields - 1; d >= 0; --d) {
      const DigitField& f = layout_.fields[static_cast<std::size_t>(d)];
      fields->addWidget(new QLabel(qs(layout_.code + f.name), this), row, 0);
      fields->addWidget(makeField(f, controlOf(f)), row++, 1);
    }
  } else {
    for (auto it = layout_.fields.rbegin(); it != layout_.fields.rend(); ++it) {
      fields->addWidget(new QLabel(qs(layout_.code + (it->name == "value" ? "" : it->name)), this), row, 0);
      fields->addWidget(makeField(*it, controlOf(*it)), row++, 1);
    }
  }
  fields->setColumnStretch(1, 1);

  auto* layoutBox = new QVBoxLayout(this);
  layoutBox->addLayout(head);
  layoutBox->addLayout(fields);
  if (layout_.kind == DigitEditorKind::Rigidity) {
    auto* gains = new QGridLayout;
    const struct {
      int id;
      const char* label;
    } previews[] = {{kIdcRigidityLoopGain, "Position Loop Gain\nPn310 [1/s]"},
                    {kIdcRigiditySpeedGain, "Speed Loop Gain\nSn211 [Hz]"},
                    {kIdcRigidityIntegral, "Speed Loop Integral-Time Constant-Sn212 [x0.2msec]"}};
    int column = 0;
    for (const auto& p : previews) {
      auto* caption = staticText(p.label);
      caption->setWordWrap(true);
      gains->addWidget(caption, 0, column);
      preview_.push_back(addControl(p.id, new QLabel(this)));
      preview_.back()->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      gains->addWidget(preview_.back(), 1, column++);
    }
    layoutBox->addLayout(gains);
  }
  layoutBox->addWidget(description);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));
  layoutBox->addLayout(buttons);
  showValue();
}

QWidget* DigitEditorDialog::makeField(const DigitField& f, int id) {
  if (f.width == 1) {
    auto* box = addControl(id, new QCheckBox(this));
    box->setChecked(f.valueIn(value_) != 0);
    box->setEnabled(f.used());
    connect(box, &QCheckBox::toggled, this, [this, f](bool on) { choose(f, on ? 1 : 0); });
    return box;
  }
  auto* list = addControl(id, new QComboBox(this));
  for (const DigitChoice& c : f.choices) list->addItem(choiceText(f, c));
  list->setCurrentIndex(f.choiceIndex(value_));
  list->setEnabled(f.used());
  connect(list, &QComboBox::activated, this, [this, f](int index) {
    if (index >= 0 && index < static_cast<int>(f.choices.size()))
      choose(f, f.choices[static_cast<std::size_t>(index)].value);
  });
  return list;
}

QComboBox* DigitEditorDialog::list(int id) const { return control<QComboBox>(id); }

void DigitEditorDialog::choose(const DigitField& f, int fieldValue) {
  value_ = f.with(value_, fieldValue);
  showValue();
}

void DigitEditorDialog::showValue() {
  box_->setText(qs(layout_.valueText(value_)));
  if (preview_.empty()) return;
  const RigidityGains g = rigidityGains(value_);
  preview_[0]->setText(QString::number(g.loopGain));
  preview_[1]->setText(QString::number(g.loopGain));
  preview_[2]->setText(QString::number(g.integralTime));
}

void DigitEditorDialog::onOk() {
  // A list offers nothing above the limit on its own, but digits chosen together may.
  if (!layout_.inRange(value_)) {
    prompt().ask({settext::outOfRange(), windowTitle().toStdString(), PromptIcon::Exclamation, PromptButtons::Ok});
    return;
  }
  ResourceDialog::onOk();
}

std::optional<std::int32_t> DigitEditorDialog::edit(DigitLayout layout, const ValueEditorRequest& request,
                                                    QWidget* parent) {
  DigitEditorDialog dialog(std::move(layout), request, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.value();
}

std::optional<std::int32_t> editParameterValue(const ValueEditorRequest& request, QWidget* parent) {
  const ValueEditorSubject& s = request.subject;
  if (auto layout = digitLayoutOf(s.code, s.driveType, s.min, s.max)) return DigitEditorDialog::edit(*layout, request, parent);
  return ValueEditorDialog::edit(request, parent);
}

}  // namespace zavo
