#pragma once
// A number edit of the position programming: it takes no more characters than its range
// needs, goes back to its previous text (and selection) when a typed text leaves the range,
// and its up-down arrows step the value within the range.

#include <QLineEdit>

#include "planning/PositionTable.h"

class QWidget;

namespace zavo {
class SpinArrows;
}

namespace zavo::planning {

class RangedEdit final : public QLineEdit {
  Q_OBJECT
 public:
  RangedEdit(Range range, QWidget* parent);

  const Range& range() const { return range_; }
  // The value OK takes: the number typed, 0 for a text that is none (not clamped).
  std::int64_t value() const;
  void setValue(std::int64_t v);
  // The arrows beside the edit; the owner places them.
  SpinArrows* arrows() const { return arrows_; }
  // The edit with its arrows, side by side.
  QWidget* withArrows(QWidget* parent);

 private:
  void edited(const QString& text);
  void step(int direction);

  Range range_;
  QString accepted_;
  SpinArrows* arrows_;
};

}  // namespace zavo::planning
