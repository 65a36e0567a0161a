#pragma once
// The view of a document: the hub every menu command reaches. It routes each command through
// its table to the part of the program that serves it, owns the link to the drive (its flags,
// the drive operations and the connection) and runs the once-a-second monitor timer that keeps
// the link alive.

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "app/CommandTable.h"
#include "app/StatusPanes.h"
#include "app/ui/ViewServices.h"
#include "editors/CamPage.h"
#include "link/ConnectionHost.h"
#include "link/ConnectionManager.h"
#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "monitor/Monitor.h"
#include "monitor/ui/MonitorWindows.h"
#include "params/listing/DisplaySelection.h"
#include "params/document/DocumentHost.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/qt/MessageMap.h"
#include "platform/qt/WindowTimer.h"
#include "trace/TraceExchange.h"
#include "trace/TraceSettingsBlock.h"

namespace zavo {

class ParameterSetDialog;
namespace tuning {
class TuningDesk;
}

// The file dialogs' filter for parameter files, and the extension of the document template.
QString tecFileFilter();
inline constexpr const char* kTecSuffix = "tec";
// `path` with the ".tec" extension when it has none.
QString withTecSuffix(const QString& path);

class CZavoServoView final : public QWidget, public DocumentHost, public ConnectionHost {
  Q_OBJECT
 public:
  explicit CZavoServoView(ViewServices services, QWidget* parent = nullptr);
  ~CZavoServoView() override;

  bool servesCommand(int commandId) const { return commands_.handles(commandId); }
  bool commandEnabled(int commandId) const { return commands_.enabled(commandId); }
  bool runCommand(int commandId) { return commands_.run(commandId); }

  // Connect/Disconnect: the Link Port Set dialog, then the link up or down.
  void connectCommand();
  // Connects straight to the virtual drive (the first start of a trial run).
  void connectToVirtualDrive();
  // The drive's USB interface went away: the port is closed and the link forgotten, so the
  // timer does not try to bring it back on a device that is gone.
  void linkLostByRemoval();
  // Every pane of the status bar from the current state.
  void refreshStatus();
  StatusSnapshot statusSnapshot() const;
  // One tick of timer 1114.
  void monitorTick();

  // Which parameters the Parameter Set editor lists: loaded from the settings when the view
  // is made; setDisplaySelection also hands the new one back to the settings file.
  DisplaySelection& displaySelection() { return selection_; }
  void setDisplaySelection(const DisplaySelection& selection);

  // The windows of the monitor and JOG commands; while one is open the drive is busy with
  // it and the auto offset adjustment is not started.
  struct ToolWindows {
    bool jog = false;
    bool display = false;
    bool diagnostics = false;
    bool alarm = false;
    bool anyOpen() const { return jog || display || diagnostics || alarm; }
  };
  ToolWindows& toolWindows() { return toolWindows_; }
  // JOG, auto gain, the self-tuning and the linear-motor set-up.
  tuning::TuningDesk& tuning() { return *tuning_; }
  // The rule of the Adjust and Linear Motor menus: a drive connected, and neither the
  // Parameter Set editor nor a monitoring window open.
  bool tuningAllowed() const;
  // The monitor windows' pages and state, and the windows themselves (commands 32782-32784).
  Monitor& monitor() { return monitor_; }
  MonitorWindows& monitorWindows() { return *monitorWindows_; }

  // Auto offset adjustment (dn-07), Print and Print Preview of the parameter list.
  void autoOffsetCommand();
  void printCommand();
  void printPreviewCommand();
  // Flying Shear (32804) and Chase Shear (32805): the cam page, modal.
  void camPageCommand(CamKind kind);

  // Edit Parameter (32772): the Parameter Set editor refilled from the document and brought
  // up, or made when there is none.
  void editParameterCommand();
  // A file was opened into this view's document: an editor shows its values.
  void documentOpened();
  // New reset the document: the editor of the old values goes, a new one comes up.
  void documentRenewed();
  ParameterSetDialog* parameterEditor() const;

  CZavoServoDoc& document() { return doc_; }
  DriveOperations& operations() { return operations_; }
  ConnectionManager& connection() { return connection_; }
  LinkFlags& linkFlags() { return flags_; }
  WindowTimer& monitorTimer() { return monitorTimer_; }
  const ViewServices& services() const { return services_; }
  // What the trace worker and the trace window share (the exchange mutex and the record
  // queue), and the settings of the last capture.
  trace::TraceExchange& traceExchange() { return traceExchange_; }
  trace::TraceSettingsBlock& traceSettings() { return traceSettings_; }

  // DocumentHost: a file of another drive type closes the link; the caption follows the type.
  void foreignFileOpened(int driveType) override;
  std::optional<std::string> askSavePath() override;

  // ConnectionHost.
  std::optional<LinkPortChoice> askLinkPort(bool linkWanted, int baudIndex) override;
  void refreshPane(int pane) override;
  void setWaitCursor(bool on) override;
  bool refreshMonitorWindows() override;
  void closeMonitorWindows() override;

 Q_SIGNALS:
  // The link went up or down: the frame updates its menus.
  void linkChanged();
  void driveTypeChanged(int driveType);

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  // The virtual drive stands behind its own port entry: start it and connect to its terminal.
  std::optional<LinkPortChoice> resolveSimulator(LinkPortChoice choice);
  void linkStateMayHaveChanged();
  void addTuningCommands();
  // A modal page that talks to the drive: the health poll waits meanwhile.
  int execModal(QDialog& dialog);

  ViewServices services_;
  CZavoServoDoc doc_{this};
  LinkFlags flags_;
  DriveOperations operations_;
  ConnectionManager connection_;
  CommandTable commands_;
  DisplaySelection selection_;
  ToolWindows toolWindows_;
  std::unique_ptr<tuning::TuningDesk> tuning_;
  Monitor monitor_{operations_, doc_};
  MonitorWindows* monitorWindows_;
  MessageMap messages_;
  WindowTimer monitorTimer_{kMonitorTimerId, this};
  trace::TraceExchange traceExchange_;
  trace::TraceSettingsBlock traceSettings_;
  // The Parameter Set editor while it is open (it clears itself when it closes).
  QPointer<ParameterSetDialog> editor_;
  bool showEditorWithView_ = false;
  bool shownOnce_ = false;
  bool simulatorChosen_ = false;
  bool wasConnected_ = false;
};

}  // namespace zavo
