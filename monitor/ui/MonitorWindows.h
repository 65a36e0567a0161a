#pragma once
// The view's four monitor windows: the commands that open them (only while a drive is linked;
// a window that is already open comes to the front), their refresh after each tick, the close
// the reconnect asks for, and the alarm clearing the alarm window asks for by message 0x720.

#include <QObject>
#include <QPointer>

#include <functional>

#include "monitor/Monitor.h"
#include "platform/qt/QtProgress.h"

class QWidget;

namespace zavo {

class CAlarmHistoryDlg;
class CDiagnosticsDlg;
class DisplayPageDialog;
class MonitorDialog;

class MonitorWindows final : public QObject {
  Q_OBJECT
 public:
  // The windows belong to `view`, which also receives the clear message; `changed` runs
  // whenever one opens or closes.
  MonitorWindows(Monitor& monitor, QWidget* view, std::function<void()> changed);

  // Commands 32782-32784. The display-value window is the fixed page on drive type 1.
  void openDisplay();
  void openDiagnostics();
  void openAlarms();
  // Each open window shows what the last tick read.
  void showPages();
  // After a reconnect that did not bring the link back.
  void closeDisplayAndDiagnostics();
  // Message 0x720: wParam 4 clears the alarm history, at once or, when a tick is talking to
  // the drive, once it is done (runPendingClear after the tick).
  void clearMessage(quintptr wParam);
  void runPendingClear();

  Progress& progress() { return progress_; }
  DisplayPageDialog* displayWindow() const;
  CDiagnosticsDlg* diagnosticsWindow() const;
  CAlarmHistoryDlg* alarmWindow() const;

 private:
  // Brings an open window to the front; false when there is none.
  static bool activate(MonitorDialog* window);
  void present(MonitorDialog* window);

  Monitor& monitor_;
  QWidget* view_;
  std::function<void()> changed_;
  QtProgress progress_;
  QPointer<DisplayPageDialog> display_;
  QPointer<CDiagnosticsDlg> diagnostics_;
  QPointer<CAlarmHistoryDlg> alarms_;
  bool clearPending_ = false;
};

}  // namespace zavo
