#include "monitor/ui/MonitorWindows.h"

#include <QWidget>

#include "link/LinkState.h"
#include "monitor/ui/CAlarmHistoryDlg.h"
#include "monitor/ui/CDiagnosticsDlg.h"
#include "monitor/ui/DisplayPageDialog.h"
#include "params/catalogue/DriveContext.h"

namespace zavo {

MonitorWindows::MonitorWindows(Monitor& monitor, QWidget* view, std::function<void()> changed)
    : QObject(view), monitor_(monitor), view_(view), changed_(std::move(changed)), progress_(view) {}

DisplayPageDialog* MonitorWindows::displayWindow() const { return display_; }
CDiagnosticsDlg* MonitorWindows::diagnosticsWindow() const { return diagnostics_; }
CAlarmHistoryDlg* MonitorWindows::alarmWindow() const { return alarms_; }

bool MonitorWindows::activate(MonitorDialog* window) {
  if (!window) return false;
  window->show();
  window->raise();
  window->activateWindow();
  return true;
}

void MonitorWindows::present(MonitorDialog* window) {
  window->show();
  if (changed_) changed_();
}

void MonitorWindows::openDisplay() {
  if (!linkState().isConnected() || activate(display_)) return;
  const DisplayKind kind = Monitor::displayKindOf(driveContext().driveType);
  monitor_.openDisplay(kind);
  if (kind == DisplayKind::Fixed)
    display_ = new CDisplayValuesDlg(monitor_, changed_, view_);
  else
    display_ = new CDisplaySelectDlg(monitor_, changed_, view_);
  present(display_);
}

void MonitorWindows::openDiagnostics() {
  if (!linkState().isConnected() || activate(diagnostics_)) return;
  monitor_.openDiagnostics(driveContext().driveType);
  diagnostics_ = new CDiagnosticsDlg(monitor_, changed_, view_);
  present(diagnostics_);
}

void MonitorWindows::openAlarms() {
  if (!linkState().isConnected() || activate(alarms_)) return;
  monitor_.openAlarms();
  alarms_ = new CAlarmHistoryDlg(monitor_, view_, changed_, view_);
  present(alarms_);
}

void MonitorWindows::showPages() {
  for (MonitorDialog* w : {static_cast<MonitorDialog*>(display_), static_cast<MonitorDialog*>(diagnostics_),
                           static_cast<MonitorDialog*>(alarms_)})
    if (w && w->isVisible()) w->showPage();
}

void MonitorWindows::closeDisplayAndDiagnostics() {
  // Posted, as the windows may be inside their own handlers when the reconnect gives up.
  for (MonitorDialog* w : {static_cast<MonitorDialog*>(display_), static_cast<MonitorDialog*>(diagnostics_)})
    if (w) QMetaObject::invokeMethod(w, &MonitorDialog::reject, Qt::QueuedConnection);
}

void MonitorWindows::clearMessage(quintptr wParam) {
  if (wParam != static_cast<quintptr>(kClearAlarmHistory)) return;
  clearPending_ = true;
  runPendingClear();
}

void MonitorWindows::runPendingClear() {
  // Under a tick (its progress window lets messages through) the clearing waits for its end.
  if (!clearPending_ || monitor_.state().monitorBusy) return;
  clearPending_ = false;
  monitor_.clearAlarmHistory();
  if (alarms_) alarms_->showPage();
}

}  // namespace zavo
