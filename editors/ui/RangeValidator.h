#pragma once
// The entry check of a page's edit field as the field's validator: a change that leaves the
// text outside the row's range is refused, so the field keeps its previous text and selection,
// without a message.

#include <QValidator>

#include "editors/EntryCheck.h"

namespace zavo {

class RangeValidator final : public QValidator {
  Q_OBJECT
 public:
  RangeValidator(EntryRange range, QObject* parent) : QValidator(parent), range_(range) {}
  State validate(QString& text, int& pos) const override;

 private:
  EntryRange range_;
};

}  // namespace zavo
