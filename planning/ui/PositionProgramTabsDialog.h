#pragma once
// Internal Position Command Programming for drive types 2-4 (resource 281): thirty-two paths
// on two tab pages (resources 282 and 283). OK refuses a time constant outside 0-10000 with
// the over-range box and stays open; otherwise each page holds its values to their ranges.

#include <memory>

#include "planning/ui/PathRows.h"
#include "planning/ui/PositionDialogBase.h"

class QTabWidget;

namespace zavo::planning {

// One page of sixteen paths, made inside the tab control.
class PathPage final : public ResourceDialog {
  Q_OBJECT
 public:
  PathPage(int resourceId, int first, const PositionRanges& ranges, QWidget* parent);
  ~PathPage() override;

  void load(const PositionTable& table) { rows_->load(table); }
  // The page's paths, clamped, into the table.
  void acceptInto(PositionTable& table) const { rows_->store(table); }

 private:
  std::unique_ptr<PathRows> rows_;
};

class PositionProgramTabsDialog final : public PositionDialogBase {
  Q_OBJECT
 public:
  PositionProgramTabsDialog(const PositionTable& table, const PositionRanges& ranges, QWidget* parent = nullptr);

  PathPage* page(int index) const { return pages_[index == 0 ? 0 : 1]; }
  QTabWidget* tabs() const { return tabs_; }

 protected:
  void onOk() override;

 private:
  QTabWidget* tabs_;
  PathPage* pages_[2];
};

}  // namespace zavo::planning
