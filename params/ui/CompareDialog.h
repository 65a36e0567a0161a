#pragma once
// Compare (resource 139): the parameters whose working value differs from the drive's, one row
// each with the code, the title, the edited value and the value read, as value texts.

#include <string>
#include <vector>

#include "platform/qt/ResourceDialog.h"

class QTableWidget;

namespace zavo {

inline constexpr int kIddCompare = 139;
inline constexpr int kIdcCompareList = 1000;

struct CompareRow {
  std::string code, title, edited, read;
};

class CompareDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit CompareDialog(const std::vector<CompareRow>& rows, QWidget* parent = nullptr);

  QTableWidget* list() const { return list_; }

 private:
  QTableWidget* list_;
};

}  // namespace zavo
