#include "app/ui/CZavoServoView.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QShowEvent>

#include "app/AppIds.h"
#include "app/AutoOffsetAdjust.h"
#include "app/CommandIds.h"
#include "app/StatusSink.h"
#include "app/ui/RegisterListingCommands.h"
#include "app/ui/VirtualDrive.h"
#include "app/ui/WaveTraceCommand.h"
#include "editors/ui/CamPageDialog.h"
#include "editors/ui/FullClosedLoopDialog.h"
#include "editors/ui/OnlineParameterDialog.h"
#include "link/LinkPort.h"
#include "link/LinkState.h"
#include "link/PortList.h"
#include "params/catalogue/DriveContext.h"
#include "params/listing/ParameterListPrint.h"
#include "params/ui/DisplaySetDialog.h"
#include "params/ui/ParameterListPrinter.h"
#include "params/ui/ParameterSetDialog.h"
#include "planning/ui/PlanningCommands.h"
#include "platform/Prompt.h"
#include "platform/qt/UiText.h"
#include "tuning/ui/TuningDesk.h"

namespace zavo {

QString tecFileFilter() {
  // The table keeps the classic "text|pattern||" form; the dialog wants "text (pattern)".
  QString filter = uiText(kIdsFileFilter, "Zavo Servo Files (*.tec)|*.tec||");
  const int bar = filter.indexOf(QLatin1Char('|'));
  return bar < 0 ? filter : filter.left(bar);
}

CZavoServoView::CZavoServoView(ViewServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), operations_(mainPort(), flags_),
      connection_(mainPort(), flags_, operations_, doc_, *this) {
  doc_.setTemporaryDirectory(services_.tempDir);
  doc_.OnNewDocument();
  connection_.setSettingsFolders(services_.programDir, services_.tempDir);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  commands_.on(cmd::kConnect, [this] { connectCommand(); });
  commands_.on(cmd::kDisconnect, [this] { connectCommand(); });
  commands_.on(cmd::kPortSet, [this] { connectCommand(); });
  commands_.on(cmd::kEditParameter, [this] { editParameterCommand(); });
  commands_.on(cmd::kCopyToDevice, [this] { copyToDevice(*this); });
  commands_.on(cmd::kCopyToComputer, [this] { copyToComputer(*this); });
  commands_.on(cmd::kAutoOffset, [this] { autoOffsetCommand(); });
  commands_.on(cmd::kPrint, [this] { printCommand(); });
  commands_.on(cmd::kPrintPreview, [this] { printPreviewCommand(); });
  commands_.on(cmd::kDiDoPlanning, [this] {
    if (!toolWindows_.jog) planning::contactPlanningCommand(operations_, doc_, this);
  });
  commands_.on(cmd::kPositionProgramming, [this] { planning::positionProgrammingCommand(operations_, doc_, this); });
  commands_.on(cmd::kOnlineParameter, [this] {
    OnlineParameterDialog dialog(operations_, doc_, this);
    execModal(dialog);
  });
  commands_.on(cmd::kFlyingShear, [this] { camPageCommand(CamKind::Flying); });
  commands_.on(cmd::kChaseShear, [this] { camPageCommand(CamKind::Chase); });
  commands_.on(cmd::kFullClosedLoop, [this] {
    FullClosedLoopDialog dialog(operations_, this);
    execModal(dialog);
  });
  commands_.on(cmd::kWaveTrace, [this] { waveTrace(*this); });
  // The monitor windows keep the tool-window flags, which other commands wait on, in step.
  monitorWindows_ = new MonitorWindows(monitor_, this, [this] {
    toolWindows_.display = monitor_.state().unWindowOpen;
    toolWindows_.diagnostics = monitor_.state().diagOpen;
    toolWindows_.alarm = monitor_.state().alarmOpen;
  });
  commands_.on(cmd::kDisplayValues, [this] { monitorWindows_->openDisplay(); });
  commands_.on(cmd::kDiagnostics, [this] { monitorWindows_->openDiagnostics(); });
  commands_.on(cmd::kAlarmHistory, [this] { monitorWindows_->openAlarms(); });
  messages_.on(kMsgClearAlarm, [this](quintptr wParam, qintptr) { monitorWindows_->clearMessage(wParam); });
  selection_ = services_.displaySelection;
  connect(&monitorTimer_, &QTimer::timeout, this, &CZavoServoView::monitorTick);
  addTuningCommands();
}

void CZavoServoView::addTuningCommands() {
  tuning_ = std::make_unique<tuning::TuningDesk>(
      operations_, doc_, this,
      tuning::TuningDesk::Hooks{[this] { return connection_.status().servoOn != 0; },
                                [this] { return toolWindows_.display || toolWindows_.diagnostics || toolWindows_.alarm; },
                                [this](bool open) { toolWindows_.jog = open; }});
  const auto allowed = [this] { return tuningAllowed(); };
  commands_.on(cmd::kJog, [this] { tuning_->jogCommand(); }, allowed);
  commands_.on(cmd::kAutoGain, [this] { tuning_->autoGainCommand(); }, allowed);
  commands_.on(cmd::kMotorSelfTuning, [this] { tuning_->motorSelfTuningCommand(); }, allowed);
  commands_.on(cmd::kMechanicalSelfTuning, [this] { tuning_->mechanicalSelfTuningCommand(); }, allowed);
  commands_.on(cmd::kLinearMotor1, [this] { tuning_->selfBuiltMotorCommand(); }, allowed);
  commands_.on(cmd::kLinearMotor2, [this] { tuning_->poleAlignmentCommand(); }, allowed);
  messages_.on(tuning::kMsgJog, [this](quintptr w, qintptr l) { tuning_->jogRequest(static_cast<int>(w), static_cast<long>(l)); });
  messages_.on(tuning::kMsgOfflineGainWrite,
               [this](quintptr w, qintptr l) { tuning_->gainWriteRequest(static_cast<int>(w), static_cast<long>(l)); });
  messages_.on(tuning::kMsgTuningMonitor, [this](quintptr w, qintptr) { tuning_->tuningMonitorRequest(static_cast<int>(w)); });
}

bool CZavoServoView::tuningAllowed() const {
  const bool editorOpen = editor_ && editor_->isVisible();
  const bool monitorOpen = toolWindows_.display || toolWindows_.diagnostics || toolWindows_.alarm;
  return linkState().isConnected() && !editorOpen && !monitorOpen;
}

CZavoServoView::~CZavoServoView() {
  monitorTimer_.stop();
  // The link belongs to the view that opened it: left open, nothing would poll it and the
  // program would go on believing in a drive that may be long gone.
  if (flags_.portOpen || flags_.linkWanted) connection_.disconnect();
}

bool CZavoServoView::event(QEvent* e) { return messages_.dispatch(e) || QWidget::event(e); }

void CZavoServoView::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (showEditorWithView_ && editor_) {
    showEditorWithView_ = false;
    editor_->show();
  }
  if (shownOnce_) return;
  shownOnce_ = true;
  monitorTimer_.start(kMonitorTimerMs);
  if (flags_.linkWanted) connection_.autoReconnect();
}

void CZavoServoView::connectCommand() {
  simulatorChosen_ = false;
  connection_.connectCommand();
  // The port list names the virtual drive by its entry, not by its terminal, which changes
  // with every start; remember the entry.
  if (simulatorChosen_ && linkState().isConnected())
    saveSelectedEntry(kSimulatorEntry, services_.programDir, services_.tempDir);
  linkStateMayHaveChanged();
}

void CZavoServoView::connectToVirtualDrive() {
  simulatorChosen_ = false;
  if (const auto choice = resolveSimulator({0, kSimulatorEntry, linkState().baudIndex})) {
    connection_.connectTo(*choice);
    if (linkState().isConnected()) saveSelectedEntry(kSimulatorEntry, services_.programDir, services_.tempDir);
  }
  linkStateMayHaveChanged();
}

std::optional<LinkPortChoice> CZavoServoView::askLinkPort(bool linkWanted, int baudIndex) {
  LinkPortRequest r;
  if (services_.portEntries) r.entries = services_.portEntries();
  bool found = false;
  const int index = rememberedEntryIndex(r.entries, services_.programDir, services_.tempDir, &found);
  if (found) r.remembered = index;
  r.baudIndex = baudIndex;
  r.linkWanted = linkWanted;
  r.preferSimulator = services_.preferSimulator;
  auto choice = services_.askPort(r, this);
  if (!choice || linkWanted) return choice;
  return resolveSimulator(*choice);
}

std::optional<LinkPortChoice> CZavoServoView::resolveSimulator(LinkPortChoice choice) {
  if (choice.portEntry != kSimulatorEntry || !services_.virtualDrive) return choice;
  std::string error;
  const std::string pty = services_.virtualDrive->start(driveContext().driveType, &error);
  if (pty.empty()) {
    showMessage(uiText(kIdsCommunicateError, "Communicate Error!").toStdString() + "\n" + error,
                "Communication Message", PromptIcon::Stop);
    return std::nullopt;
  }
  simulatorChosen_ = true;
  choice.portEntry = pty;
  return choice;
}

void CZavoServoView::setDisplaySelection(const DisplaySelection& selection) {
  selection_ = selection;
  if (services_.displaySelectionChanged) services_.displaySelectionChanged(selection_);
}

void CZavoServoView::editParameterCommand() {
  if (editor_) {
    editor_->refill();
  } else {
    editor_ = new ParameterSetDialog(doc_, operations_, selection_, this);
    editor_->setAttribute(Qt::WA_DeleteOnClose);
    editor_->setSelectionEditor([this](DisplaySelection& selection, QWidget* parent) {
      if (!DisplaySetDialog::edit(selection, parent)) return false;
      setDisplaySelection(selection);
      return true;
    });
    editor_->setDocumentSaver([this] {
      const auto path = doc_.pathName().empty() ? askSavePath() : std::optional<std::string>(doc_.pathName());
      if (!path) return false;
      const SaveResult saved = doc_.OnSaveDocument(*path);
      if (!saved) showMessage(saved.error, {}, PromptIcon::Stop);
      return static_cast<bool>(saved);
    });
  }
  // Before the view is on screen the editor would come up on its own, away from the window it
  // belongs to (at start-up, before the main window shows): it follows the view instead.
  if (!isVisible()) {
    showEditorWithView_ = true;
    return;
  }
  if (editor_->isMinimized())
    editor_->showNormal();
  else
    editor_->show();
  editor_->raise();
  editor_->activateWindow();
}

ParameterSetDialog* CZavoServoView::parameterEditor() const { return editor_.data(); }

void CZavoServoView::documentOpened() {
  if (editor_) editor_->forgetEdits();
  editParameterCommand();
  const std::vector<std::string> outside = doc_.valuesOutOfRange();
  if (outside.empty()) return;
  std::string list;
  for (const auto& code : outside) list += (list.empty() ? "" : ", ") + code;
  showMessage("The file holds values out of range, which are not written to a drive: " + list, {},
              PromptIcon::Exclamation);
}

void CZavoServoView::documentRenewed() {
  if (editor_) delete editor_.data();
  editParameterCommand();
}

int CZavoServoView::execModal(QDialog& dialog) {
  // The page talks to the drive itself while it is up: the link's health poll waits.
  const bool previous = flags_.modalOperation;
  flags_.modalOperation = true;
  const int result = dialog.exec();
  flags_.modalOperation = previous;
  return result;
}

void CZavoServoView::camPageCommand(CamKind kind) {
  CamPageDialog dialog(kind, operations_, doc_, this);
  // OK changed the document's rows: an open editor shows them.
  if (execModal(dialog) == QDialog::Accepted && editor_) editor_->refill();
}

void CZavoServoView::autoOffsetCommand() {
  if (toolWindows_.anyOpen()) return;
  runAutoOffsetAdjust(operations_, driveContext().driveType, linkState().isConnected());
}

void CZavoServoView::printCommand() {
  printParameterList(parameterListContent(doc_, driveContext().driveType), this);
}

void CZavoServoView::printPreviewCommand() {
  previewParameterList(parameterListContent(doc_, driveContext().driveType), this);
}

void CZavoServoView::monitorTick() {
  monitor_.tick(connection_);
  monitorWindows_->showPages();
  monitorWindows_->runPendingClear();
  linkStateMayHaveChanged();
}

bool CZavoServoView::refreshMonitorWindows() { return monitor_.refreshOpenWindows(monitorWindows_->progress()); }

void CZavoServoView::closeMonitorWindows() { monitorWindows_->closeDisplayAndDiagnostics(); }

void CZavoServoView::linkStateMayHaveChanged() {
  const bool now = linkState().isConnected();
  if (now == wasConnected_) return;
  wasConnected_ = now;
  // A poll that loses the line refreshes no pane of its own; the bar must not go on saying
  // "Servo Linking".
  refreshStatus();
  Q_EMIT linkChanged();
}

void CZavoServoView::linkLostByRemoval() {
  mainPort().Close();
  linkState().connected = 0;
  driveContext().linkOpen = false;
  flags_.portOpen = false;
  flags_.linkWanted = false;
  refreshStatus();
  linkStateMayHaveChanged();
}

void CZavoServoView::foreignFileOpened(int driveType) {
  if (linkState().isConnected() || flags_.portOpen) {
    connection_.disconnect();
    refreshStatus();
    linkStateMayHaveChanged();
  }
  Q_EMIT driveTypeChanged(driveType);
}

QString withTecSuffix(const QString& path) {
  // A name typed without its extension would not be offered by Open, which lists .tec files.
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  const QString suffix = QLatin1String(kTecSuffix);
  return path.endsWith(QLatin1Char('.')) ? path + suffix : path + QLatin1Char('.') + suffix;
}

std::optional<std::string> CZavoServoView::askSavePath() {
  QString path;
  if (services_.pickSavePath) {
    path = services_.pickSavePath(this);
  } else {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tecFileFilter());
    dialog.setDefaultSuffix(QLatin1String(kTecSuffix));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().first();
  }
  if (path.isEmpty()) return std::nullopt;
  return withTecSuffix(path).toStdString();
}

StatusSnapshot CZavoServoView::statusSnapshot() const {
  StatusSnapshot s;
  s.connected = linkState().isConnected();
  s.linkWanted = flags_.linkWanted;
  s.servoOn = connection_.status().servoOn;
  s.controlMode = doc_.controlMode;
  s.version = doc_.driveSoftwareVersion;
  s.motorCode = static_cast<std::uint16_t>(doc_.motorCode);
  s.statusWord = connection_.status().statusWord;
  s.driveType = driveContext().driveType;
  return s;
}

void CZavoServoView::refreshPane(int pane) {
  if (services_.status) services_.status->refreshPane(pane, statusSnapshot());
}

void CZavoServoView::refreshStatus() {
  if (services_.status) services_.status->refreshAll(statusSnapshot());
}

void CZavoServoView::setWaitCursor(bool on) {
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace zavo
