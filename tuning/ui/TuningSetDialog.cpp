#include "tuning/ui/TuningSetDialog.h"

#include <QPushButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "params/catalogue/Catalogue.h"
#include "tuning/RangeCheck.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {
namespace {
// Below any limit: the edits take what is typed down to it, OK tells what is out of range.
constexpr int kEditFloor = -99999;
constexpr int kStartChoices = 3;
}  // namespace

TuningSetDialog::TuningSetDialog(const SetValues& current, QWidget* parent)
    : ResourceDialog(kTuningSetDialog, "Self-tuning Set", parent), start_(new QButtonGroup(this)) {
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (int f = 0; f < kSetFieldCount; ++f) {
    const auto field = static_cast<SetField>(f);
    const auto k = static_cast<std::size_t>(f);
    const std::string code(setFieldCode(field));
    grid->addWidget(new QLabel(QString::fromStdString(code + " " + catalogue::titleOf(code)), this), row, 0);
    grid->addWidget(addControl(kSetCurrentFirst + f, new QLabel(QString::number(current[k]), this)), row, 1);
    if (field == kTn18) {
      const int ids[kStartChoices] = {kStartCwLimit, kStartMiddle, kStartCcwLimit};
      const char* names[kStartChoices] = {"CWL", "Mid", "CCWL"};
      for (int c = 0; c < kStartChoices; ++c) {
        auto* r = addControl(ids[c], new QRadioButton(this), names[c]);
        start_->addButton(r, c);
        grid->addWidget(r, row, 2 + c);
      }
      if (auto* b = start_->button(current[k])) b->setChecked(true);
      ++row;
      continue;
    }
    const Limits l = setFieldLimits(field);
    auto* e = addControl(kSetEditFirst + f, new QSpinBox(this));
    e->setButtonSymbols(QAbstractSpinBox::NoButtons);
    e->setRange(std::min(kEditFloor, l.min), l.max);
    e->setValue(current[k]);
    edits_[k] = e;
    grid->addWidget(e, row, 2, 1, 2);
    grid->addWidget(addControl(kSetRangeFirst + f, new QLabel(QStringLiteral("(%1-%2)").arg(l.min).arg(l.max), this)), row, 4);
    ++row;
  }
  grid->addWidget(addButton(kIdOk, "OK"), row, 2);
  grid->addWidget(addButton(kIdCancel, "Cancel"), row, 3);
}

SetValues TuningSetDialog::values() const {
  SetValues v{};
  for (int f = 0; f < kSetFieldCount; ++f)
    v[static_cast<std::size_t>(f)] = f == kTn18 ? start_->checkedId() : edits_[static_cast<std::size_t>(f)]->value();
  return v;
}

void TuningSetDialog::setValue(SetField f, int v) {
  if (f == kTn18) {
    if (auto* b = start_->button(v)) b->setChecked(true);
  } else {
    edits_[static_cast<std::size_t>(f)]->setValue(v);
  }
}

void TuningSetDialog::onOk() {
  const int bad = firstOutOfRange(values());
  if (bad < 0) return ResourceDialog::onOk();
  overRange(std::string(setFieldCode(static_cast<SetField>(bad))));
  QSpinBox* e = edits_[static_cast<std::size_t>(bad)];
  e->setFocus();
  e->selectAll();
}

}  // namespace zavo::tuning
