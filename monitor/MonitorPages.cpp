#include "monitor/MonitorPages.h"

namespace zavo {

void DisplayPage::enableAll(bool on) {
  for (std::size_t r = 0; r < rows.size(); ++r) enable(r, on);
}

void DisplayPage::enable(std::size_t row, bool on) {
  if (row >= rows.size()) return;
  rows[row].enabled = on;
  if (!on) rows[row].text.clear();
}

}  // namespace zavo
