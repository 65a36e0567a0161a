#pragma once
// What the view keeps for its monitor windows across the life of the view: which windows are
// open, what the next tick must read, the rows the display-value pages show, and the flag that
// keeps a tick and the alarm clearing from talking to the drive at the same time.

#include <array>

namespace zavo {

// The alarm window's "clear" button posts this to the view (WM_USER + 800), wParam 4.
inline constexpr unsigned kMsgClearAlarm = 0x720;
inline constexpr int kClearAlarmHistory = 4;

inline constexpr int kDisplayRows = 20;

struct MonitorState {
  bool alarmOpen = false;
  // Read the alarm history on the next tick: set on opening and by "update", cleared by a
  // successful read.
  bool alarmRefreshRequest = false;
  bool diagOpen = false;
  // From opening until the first successful diagnostics read, which (re)builds the labels.
  bool diagFirstPoll = false;
  // Either display-value window exists.
  bool unWindowOpen = false;
  // The display pages' selection, kept across openings: all rows off, the items a
  // commissioning engineer looks at first.
  std::array<int, kDisplayRows> unRowItem{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 18, 20, 22, 24, 25};
  std::array<bool, kDisplayRows> unRowEnabled{};
  // A tick or the alarm clearing is talking to the drive.
  bool monitorBusy = false;
};

// Raises monitorBusy for a scope.
class MonitorBusyScope {
 public:
  explicit MonitorBusyScope(MonitorState& state) : state_(state) { state_.monitorBusy = true; }
  ~MonitorBusyScope() { state_.monitorBusy = false; }
  MonitorBusyScope(const MonitorBusyScope&) = delete;
  MonitorBusyScope& operator=(const MonitorBusyScope&) = delete;

 private:
  MonitorState& state_;
};

}  // namespace zavo
