#pragma once
// What both position programming dialogs share: the mode radios (coordinates 1034/1035, the
// PHOLD behaviour 1036/1037) and the time-constant edit, over a copy of the table that OK
// hands back.

#include "planning/PositionTable.h"
#include "platform/qt/ResourceDialog.h"

class QVBoxLayout;

namespace zavo::planning {

class RangedEdit;

class PositionDialogBase : public ResourceDialog {
  Q_OBJECT
 public:
  // The table as OK left it (the table given until then).
  const PositionTable& table() const { return table_; }
  const PositionRanges& ranges() const { return ranges_; }
  RangedEdit* smoothingEdit() const { return smoothing_; }

 protected:
  PositionDialogBase(int resourceId, const PositionTable& table, const PositionRanges& ranges, QWidget* parent);

  // The subclass puts its paths in between the mode settings and the buttons.
  QVBoxLayout* body() const { return body_; }
  // The radios into the table's mode word (its other digits stay).
  void storeMode();

  PositionTable table_;
  PositionRanges ranges_;
  RangedEdit* smoothing_;

 private:
  QVBoxLayout* body_;
};

}  // namespace zavo::planning
