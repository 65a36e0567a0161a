#pragma once
// Alarm Parameters (resource 143): the current alarm (AL) and the nine before it (A1-A9), each
// as its code and its note. "Update" asks the next tick for a read, "Clear" asks the view to
// clear the history (message 0x720), "Close" ends the window.

#include <array>

#include "monitor/AlarmText.h"
#include "monitor/ui/MonitorDialog.h"

namespace zavo {

inline constexpr int kIddAlarmHistory = 143;
inline constexpr int kIdcAlarmCodeFirst = 1015;  // 1015-1024
inline constexpr int kIdcAlarmNoteFirst = 1025;  // 1025-1034
inline constexpr int kIdcAlarmClear = 1001;
inline constexpr int kIdcAlarmUpdate = 1002;

class CAlarmHistoryDlg final : public MonitorDialog {
  Q_OBJECT
 public:
  // `view` receives the clear message.
  CAlarmHistoryDlg(Monitor& monitor, QObject* view, Closed closed, QWidget* parent);

  void showPage() override;

 protected:
  void release() override;

 private:
  QObject* view_;
  std::array<QLabel*, monitor::kAlarmRows> codes_{};
  std::array<QLabel*, monitor::kAlarmRows> notes_{};
};

}  // namespace zavo
