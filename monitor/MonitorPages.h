#pragma once
// What each monitor window shows, kept by the monitor while the window is open: the ticks fill
// the pages, the windows (and zavoctl) show them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/AlarmText.h"
#include "monitor/DiagnosticsFormat.h"

namespace zavo {

// One display-value row: the item it shows, whether it is read, its last value and text.
struct DisplayRow {
  int item = 1;
  bool enabled = false;
  std::int32_t value = 0;
  std::string text;
};

// The fixed page (Un-01 .. Un-19, drive type 1) or the configurable one (20 chosen items).
enum class DisplayKind { Fixed, Configurable };

struct DisplayPage {
  DisplayKind kind = DisplayKind::Configurable;
  std::vector<DisplayRow> rows;

  // "All" and "Clear", and a row's check box: a row that goes off loses its text.
  void enableAll(bool on);
  void enable(std::size_t row, bool on);
};

// The diagnostics words the page reads, in the order of its value texts.
inline constexpr std::array<int, 6> kDiagnosticItems{1, 2, 3, 4, 8, 9};

struct DiagnosticsPage {
  monitor::TerminalLayout layout;
  std::array<std::string, kDiagnosticItems.size()> texts;  // dn-01 .. dn-04, dn-08, dn-09
  std::vector<bool> inputs, outputs;                       // cell states
  monitor::TerminalLabels labels;                          // written by the first poll
};

struct AlarmPage {
  std::array<std::int32_t, monitor::kAlarmRows> codes{};
  bool known = false;  // the rows stay empty until the first read or clearing
};

}  // namespace zavo
