#pragma once
// Sixteen paths as rows of edits (rotation, pulse, speed), with the column heads naming each
// range: the grid of dialog 224 and of each page of dialog 281.

#include <QString>

#include <array>
#include <functional>

#include "planning/PositionTable.h"

class QGridLayout;
class QWidget;

namespace zavo::planning {

class RangedEdit;

class PathRows {
 public:
  // Registers an edit under its control id with the dialog that holds the rows.
  using Register = std::function<void(int id, QWidget* edit)>;

  // Builds the rows for paths first+1 .. first+16 into `grid` (heads in row 0).
  PathRows(const PositionRanges& ranges, int first, QWidget* parent, QGridLayout* grid, const Register& registerEdit);

  // The rows' paths from and into the table.
  void load(const PositionTable& table);
  // What the edits hold, each clamped to its range, into the table.
  void store(PositionTable& table) const;

  static QString head(const char* what, const Range& r);

 private:
  struct Row {
    RangedEdit* rotation;
    RangedEdit* pulse;
    RangedEdit* speed;
  };
  int first_;
  std::array<Row, kPathsPerPage> rows_{};
};

}  // namespace zavo::planning
