#pragma once
// The contact planning being edited: one column per terminal, holding the function the
// terminal has and its active level, as read from the drive and as the user changes it.
//
// A column's state is 1 for active level 1, 2 for active level 0 and 0 for no choice (an
// output only). A value that names no function and level of the grid (an output value of 0,
// an input function above 0x24, a value of 512 or more) leaves its terminal unknown: shown as
// such, and written back as it was read unless the user gives the terminal a function.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "planning/DioLayout.h"

namespace zavo::planning {

struct DioColumn {
  std::int32_t read = 0;  // the value as read
  bool known = false;     // the value names a row of the grid
  int row = -1;           // the chosen row (DI: code; DO: code - 1)
  int state = 0;          // 1 level 1, 2 level 0, 0 none
  bool touched = false;   // changed since it was read
  // The click rule's memory: the row clicked last and how often in a row.
  int lastClicked = -1;
  int clicks = 0;

  int code(Side side) const { return DioLayout::codeOfRow(side, row); }
  int level() const { return state == 1 ? 1 : 0; }
};

// A message box the check asks for: title, text.
struct DioNote {
  std::string title;
  std::string text;
};

class DioPlan {
 public:
  // `group` holds the values of layout.names() in order (missing ones count as 0).
  DioPlan(int driveType, std::span<const std::int32_t> group);

  const DioLayout& layout() const { return layout_; }
  const DioColumn& column(Side side, int terminal) const;

  // A click on the cell of (terminal, row): the first click on a row chooses it at level 1,
  // the next turns it to level 0, and so on; the column's other cells are cleared. Cells the
  // type does not offer ignore clicks (false).
  bool click(Side side, int terminal, int row);
  // Gives a terminal a function and level outright (false when the type does not offer it).
  bool assign(Side side, int terminal, int code, int level);

  // The group's values in layout.names() order: each changed terminal encoded, everything else
  // as read.
  std::vector<std::int32_t> values() const;

  // The conflicts of the assignment: inputs with one function at different levels, outputs
  // sharing a function. The inputs' note comes first; nothing when the plan may be written.
  std::optional<DioNote> conflictNote() const;
  // The terminals in conflict on one side, in terminal order.
  std::vector<int> conflicts(Side side) const;

  static std::int32_t encode(Side side, int row, int state);

 private:
  std::vector<DioColumn>& columns(Side side) { return side == Side::In ? in_ : out_; }
  const std::vector<DioColumn>& columns(Side side) const { return side == Side::In ? in_ : out_; }

  DioLayout layout_;
  std::vector<DioColumn> in_, out_;
  std::vector<std::int32_t> read_;
};

}  // namespace zavo::planning
