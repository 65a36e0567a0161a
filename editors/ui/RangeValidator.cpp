#include "editors/ui/RangeValidator.h"

namespace zavo {

QValidator::State RangeValidator::validate(QString& text, int&) const {
  return checkedEntry(text.toStdString(), range_) ? Acceptable : Invalid;
}

}  // namespace zavo
