#pragma once
// The list of the Parameter Set editor (control 1000): one row per listed parameter with its
// check box and six columns (Note, Parameter Name, Value, Unit, Set Range, Default); the value
// in blue and the default in red, both emphasised; a row changed since the last transfer is
// marked. It shows what a ParameterSetModel holds and reports the user's check boxes.

#include <QTreeWidget>

#include <vector>

namespace zavo {

class ParameterSetModel;

class ParameterList final : public QTreeWidget {
  Q_OBJECT
 public:
  explicit ParameterList(QWidget* parent = nullptr);

  // Every row of the model, anew.
  void showRows(const ParameterSetModel& model);
  void updateRows(const ParameterSetModel& model, const std::vector<int>& rows);
  // Every row's check box as the model has it.
  void updateChecks(const ParameterSetModel& model);
  // The row under the selection mark; -1 when none is selected.
  int selectedRow() const;
  void selectRow(int row);

  // Columns.
  static constexpr int kNoteColumn = 0;
  static constexpr int kNameColumn = 1;
  static constexpr int kValueColumn = 2;
  static constexpr int kUnitColumn = 3;
  static constexpr int kRangeColumn = 4;
  static constexpr int kDefaultColumn = 5;

 Q_SIGNALS:
  void rowChecked(int row, bool checked);

 private:
  void setRow(QTreeWidgetItem* item, const ParameterSetModel& model, int row) const;
  // Every column but the name as wide as its widest cell, the value column also as wide as
  // the widest limit of the listed rows: what will be written is never cut short.
  void fitColumns(const ParameterSetModel& model);
  void onItemChanged(QTreeWidgetItem* item, int column);

  QFont emphasised_;
  QFont markedCode_;
};

}  // namespace zavo
