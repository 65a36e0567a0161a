#pragma once
// The test profile of a mechanical self-tuning test (dialog 6006): Sn201 (rpm) and the tuning
// parameters, each with its current value and its range, tn18 as three choices. A value typed
// above the maximum is not taken; OK checks each against the catalogue's limits.

#include <array>

#include "platform/qt/ResourceDialog.h"
#include "tuning/SelfTuning.h"

class QButtonGroup;
class QSpinBox;

namespace zavo::tuning {

class TuningSetDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  TuningSetDialog(const SetValues& current, QWidget* parent = nullptr);
  SetValues values() const;
  void setValue(SetField f, int v);

 protected:
  void onOk() override;

 private:
  std::array<QSpinBox*, kSetFieldCount> edits_{};
  QButtonGroup* start_;
};

}  // namespace zavo::tuning
