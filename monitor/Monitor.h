#pragma once
// The view's status monitoring: the pages of the four monitor windows, what the view keeps for
// them, and the drive work behind them. Each tick of the view's timer reads what the open
// windows need (display values, diagnostics, the alarm history) after the connection's status
// read, stopping at the first failed exchange; the alarm window's "clear" runs the clearing.
// The windows never talk to the drive: they change their page and the state, and show what
// the ticks put there. zavoctl runs the same reads without windows.

#include <memory>
#include <vector>

#include "link/ConnectionManager.h"
#include "link/DriveOperations.h"
#include "monitor/MonitorPages.h"
#include "monitor/MonitorState.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Progress.h"

namespace zavo {

class Monitor {
 public:
  Monitor(DriveOperations& ops, CZavoServoDoc& doc);

  MonitorState& state() { return state_; }
  const MonitorState& state() const { return state_; }

  // ---- The windows' pages ----------------------------------------------------------------
  // The display-value window of a drive type: the fixed page on type 1, the configurable one
  // on every other.
  static DisplayKind displayKindOf(int driveType);
  // Opens the page with the stored selection; closing copies the page's selection back.
  DisplayPage& openDisplay(DisplayKind kind);
  void closeDisplay();
  DisplayPage* display() { return display_.get(); }
  // The first read after opening reads the terminal assignment and writes the labels.
  DiagnosticsPage& openDiagnostics(int driveType);
  void closeDiagnostics();
  DiagnosticsPage* diagnostics() { return diagnostics_.get(); }
  // Opening asks for a read of the history on the next tick.
  AlarmPage& openAlarms();
  void closeAlarms();
  AlarmPage* alarms() { return alarms_.get(); }

  // ---- Drive work ------------------------------------------------------------------------
  // One tick of timer 1114: the connection's tick, whose health poll comes back through its
  // host to refreshOpenWindows. Nothing while a tick or the clearing is talking to the drive.
  void tick(ConnectionManager& connection);
  // The open windows' reads in their order (display page, diagnostics, alarm history when
  // asked for); false at the first failed exchange, the pages keeping their last values.
  bool refreshOpenWindows(Progress& progress);
  bool readDisplayPage(DisplayPage& page);
  bool readDiagnostics(DiagnosticsPage& page, bool firstPoll, Progress& progress);
  bool readAlarmHistory(AlarmPage& page, Progress& progress);

  // The alarm window's "clear": each entry of the history set to 0, 30 ms apart. A drive that
  // does not take one ends it with the "Clear Alarm Information" box. Busy: a tick is talking
  // to the drive, nothing was sent (try again when it is done).
  enum class ClearOutcome { Cleared, Failed, Busy };
  ClearOutcome clearAlarmHistory();

 private:
  // A page whose window closes (or opens anew) while a read that pumps messages is filling it
  // lives on until the drive work is done.
  template <class Page>
  void retire(std::unique_ptr<Page>& page);
  void releaseRetired();
  bool clearEntries();

  DriveOperations& ops_;
  CZavoServoDoc& doc_;
  MonitorState state_;
  std::unique_ptr<DisplayPage> display_;
  std::unique_ptr<DiagnosticsPage> diagnostics_;
  std::unique_ptr<AlarmPage> alarms_;
  std::vector<std::shared_ptr<void>> retired_;
};

}  // namespace zavo
