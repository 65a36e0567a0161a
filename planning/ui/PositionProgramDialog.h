#pragma once
// Internal Position Command Programming for drive types 0 and 1 (resource 224): sixteen paths
// in one grid. OK holds every value to its range and closes.

#include <memory>

#include "planning/ui/PathRows.h"
#include "planning/ui/PositionDialogBase.h"

namespace zavo::planning {

class PositionProgramDialog final : public PositionDialogBase {
  Q_OBJECT
 public:
  PositionProgramDialog(const PositionTable& table, const PositionRanges& ranges, QWidget* parent = nullptr);
  ~PositionProgramDialog() override;

 protected:
  void onOk() override;

 private:
  std::unique_ptr<PathRows> rows_;
};

}  // namespace zavo::planning
