#include "planning/ui/RangedEdit.h"

#include <QHBoxLayout>

#include <algorithm>
#include <string>

#include "editors/ui/SpinArrows.h"
#include "planning/EntryRules.h"

namespace zavo::planning {
namespace {

int charactersFor(const Range& r) {
  return static_cast<int>(std::max(std::to_string(r.min).size(), std::to_string(r.max).size()));
}

}  // namespace

RangedEdit::RangedEdit(Range range, QWidget* parent)
    : QLineEdit(parent), range_(range), arrows_(new SpinArrows(parent)) {
  setMaxLength(charactersFor(range_));
  setAlignment(Qt::AlignRight);
  const int digitWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  setMinimumWidth(digitWidth * (maxLength() + 2));
  connect(this, &QLineEdit::textEdited, this, &RangedEdit::edited);
  connect(arrows_, &SpinArrows::stepped, this, &RangedEdit::step);
}

QWidget* RangedEdit::withArrows(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  setParent(box);
  arrows_->setParent(box);
  arrows_->setFixedHeight(sizeHint().height());
  row->addWidget(this);
  row->addWidget(arrows_);
  return box;
}

std::int64_t RangedEdit::value() const { return entryValue(text().toStdString()); }

void RangedEdit::setValue(std::int64_t v) {
  accepted_ = QString::number(v);
  setText(accepted_);
}

void RangedEdit::edited(const QString& typed) {
  if (entryAcceptable(typed.toStdString(), range_)) {
    accepted_ = typed;
    return;
  }
  // Back to what it held, the caret where the typing was.
  const int cursor = std::max(0, cursorPosition() - static_cast<int>(typed.size() - accepted_.size()));
  setText(accepted_);
  setCursorPosition(std::min(cursor, static_cast<int>(accepted_.size())));
}

void RangedEdit::step(int direction) {
  setValue(range_.clamp(value() + direction));
}

}  // namespace zavo::planning
