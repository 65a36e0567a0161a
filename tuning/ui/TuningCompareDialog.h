#pragma once
// The gains a mechanical test proposes against those the drive has (dialog 6015): OK adopts
// them, Cancel keeps the old ones. The full set also carries the note that its friction
// compensation is stored without asking.

#include <string>
#include <vector>

#include "platform/qt/ResourceDialog.h"

namespace zavo::tuning {

struct CompareRow {
  std::string name;
  int before = 0;
  int after = 0;
};

class TuningCompareDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxRows = 4;
  TuningCompareDialog(const std::vector<CompareRow>& rows, bool withFrictionNote, QWidget* parent = nullptr);
};

}  // namespace zavo::tuning
