#pragma once
// The texts of the contact planning and the position programming, from the active text
// table; a text the table lacks falls back to its English wording, so no box comes up blank.

#include <string>

#include "planning/DioLayout.h"

namespace zavo::planning::texts {

// The conflict notes of the contact planning: titles and their first lines.
std::string setInputContactSignal();
std::string setOutputContactSignal();
std::string diConflict();
std::string doConflict();

// A cell's tooltip: what the function does and what each active level means.
std::string cellTip(Side side, int code);

// The position programming's over-range box on OK: the time constant's title + " " +
// "Over Range!!" and its blank line.
std::string smoothingOverRange();
// The tab of paths 1-16 and that of 17-32.
std::string firstPathsTab();
std::string secondPathsTab();

// After the table is written: "Write successfully!!", with the restart notice when the mode
// or the time constant changed.
std::string positionWritten(bool restart);

}  // namespace zavo::planning::texts
