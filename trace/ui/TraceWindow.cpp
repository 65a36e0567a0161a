#include "trace/ui/TraceWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "platform/Prompt.h"
#include "trace/TraceFiles.h"
#include "trace/TraceIni.h"
#include "trace/TraceIniHandOff.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceRules.h"
#include "trace/TraceTexts.h"
#include "trace/ui/TracePlot.h"
#include "trace/ui/TraceWindowIds.h"
#include "trace/ui/WorkerMessages.h"

namespace zavo {
namespace {

using namespace trace;

constexpr const char* kSaveTitle = "Save file";
constexpr const char* kDisconnected = "\n\nDisconnect !!";

// The settings the window starts with: those of the last capture the view kept (or that a
// trace.ini brought back), when they are sound.
TraceSettings startSettings(const TraceSettingsBlock& block, int driveType) {
  if (!block.present) return {};
  const TraceSettings s = block.settings();
  const bool sound = checkSettings(s, TraceSources(driveType, block.assignments), driveContext().ratedSpeed).empty();
  return sound ? s : TraceSettings{};
}

}  // namespace

TraceWindow::TraceWindow(TraceWindowHost host, QWidget* parent)
    : ResourceDialog(kIddWaveTrace, "Wave Trace", parent),
      host_(std::move(host)),
      view_(driveContext().driveType, TraceSettings{}, {}),
      arming_(host_.port, host_.exchange, host_.flags),
      feed_(host_.exchange.queue, view_.display()),
      workerStartTimer_(kWorkerStartTimerId, this),
      linkWatch_(this) {
  for (int id : {kRollTimerId, kSingleTimerId, kRecordTimerId, kCycleTimerId}) {
    auto* t = new WindowTimer(id, this);
    connect(t, &QTimer::timeout, this, &TraceWindow::displayTick);
    displayTimers_.push_back(t);
  }
  caption_ = windowTitle();
  linked_ = linkState().isConnected();
  // A capture that was still running when the window last went: its settings come back and
  // the drive's record can be read back.
  if (!host_.programDir.empty()) takeTraceIniAtOpen(host_.programDir, host_.settingsBlock, host_.exchange);
  view_.applySettings(startSettings(host_.settingsBlock, view_.driveType()), host_.settingsBlock.assignments);
  buildControls();
  connect(&workerStartTimer_, &QTimer::timeout, this, &TraceWindow::workerStartTick);
  // The link can go while the window is idle (the view's timer finds it out).
  connect(&linkWatch_, &QTimer::timeout, this, &TraceWindow::refreshControls);
  linkWatch_.start(kLinkWatchMs);
  refresh();
}

TraceWindow::~TraceWindow() {
  stopTimers();
  arming_.readBackOff();
}

void TraceWindow::onCancel() {
  if (running_) stopCapture();
  if (readingBack_) readBackOff();
  host_.exchange.readBack = false;
  if (host_.monitorTimer) host_.monitorTimer->start(host_.monitorTimerMs);
  if (linked_ && !linkState().isConnected())
    showMessage(texts::communicateError() + kDisconnected, texts::communicationTitle(), PromptIcon::Stop);
  if (!host_.programDir.empty()) removeTraceIni(host_.programDir);
  ResourceDialog::onCancel();
}

// ---- capture ---------------------------------------------------------------------------

void TraceWindow::startOrStop() {
  if (running_) {
    stopCapture();
    return;
  }
  if (!linkState().isConnected()) {
    showMessage(texts::communicateError(), texts::communicationTitle(), PromptIcon::Stop);
    return;
  }
  running_ = true;
  view_.clearForCapture();
  path_.clear();
  refresh();
  // A failed step has told the user; the window stays switched until STOP is pressed.
  if (!arming_.start(view_.settings())) return;
  workerStartTimer_.start(kWorkerStartTimerMs);
  writeTraceIni();
}

void TraceWindow::stopCapture() {
  running_ = false;
  stopTimers();
  arming_.stop();
  view_.keepDisplayed();
  refresh();
}

void TraceWindow::toggleReadBack() {
  if (readingBack_) {
    readBackOff();
    return;
  }
  if (!arming_.readBackOn()) {
    refreshControls();
    return;
  }
  readingBack_ = true;
  view_.clearForCapture();
  refresh();
  workerStartTimer_.start(kWorkerStartTimerMs);
  writeTraceIni();
}

void TraceWindow::readBackOff() {
  readingBack_ = false;
  stopTimers();
  arming_.readBackOff();
  // What was read back is the record now: it can be saved and scaled like a capture.
  view_.keepDisplayed();
  refresh();
}

void TraceWindow::stopTimers() {
  workerStartTimer_.stop();
  for (WindowTimer* t : displayTimers_) t->stop();
  feed_.end();
}

void TraceWindow::workerStartTick() {
  if (arming_.workerActive()) return;
  arming_.startWorker(view_.settings(), workerMessages());
  workerStartTimer_.stop();
  if (host_.monitorTimer) host_.monitorTimer->stop();
  feed_.begin(view_.settings(), host_.exchange.readBack);
  sinceTick_.start();
  for (WindowTimer* t : displayTimers_)
    if (t->id() == feed_.timerId()) t->start(feed_.intervalMs());
  plot_->refresh();
}

void TraceWindow::displayTick() {
  const int before = feed_.timerId();
  const FeedStep step = feed_.tick(!arming_.workerActive(), static_cast<double>(sinceTick_.restart()));
  if (step != FeedStep::Wait) {
    // A record just taken in is scaled for the screen; the record kept for files follows at STOP.
    if (!view_.settings().monitor()) view_.reapplyAutoScales(true);
    refreshScales();
  }
  if (step == FeedStep::StopCapture) {
    stopCapture();
  } else if (step == FeedStep::StopReadBack) {
    readBackOff();
  } else if (arming_.workerOutcome() == WorkerOutcome::Failed) {
    // The worker told the user what went wrong; the capture is over.
    running_ ? stopCapture() : readBackOff();
  } else if (feed_.timerId() != before) {
    for (WindowTimer* t : displayTimers_) t->id() == feed_.timerId() ? t->start(feed_.intervalMs()) : t->stop();
  }
}

void TraceWindow::writeTraceIni() {
  host_.settingsBlock = TraceSettingsBlock::of(view_.settings(), view_.terminals());
  if (!host_.programDir.empty()) trace::writeTraceIni(traceIniPath(host_.programDir), host_.settingsBlock);
}

void TraceWindow::traceSetting() {
  if (!host_.askSettings) return;
  if (running_) stopCapture();
  if (readingBack_) readBackOff();
  const auto choice = host_.askSettings(view_.settings(), this);
  if (!choice) return;
  view_.applySettings(choice->settings, choice->assignments);
  host_.settingsBlock = TraceSettingsBlock::of(choice->settings, choice->assignments);
  host_.exchange.queue.clear();
  host_.exchange.readBack = false;
  refresh();
}

// ---- files -----------------------------------------------------------------------------

QString TraceWindow::askPath(TraceWindowHost::FileDialog kind) {
  return host_.askPath ? host_.askPath(kind, this) : QString();
}

void TraceWindow::openCommand() {
  const QString p = askPath(TraceWindowHost::FileDialog::Open);
  if (!p.isEmpty()) openFile(p);
}

bool TraceWindow::openFile(const QString& p) {
  const TraceOpen o = openTraceFile(p.toStdString(), view_.driveType(), view_.settings().mode);
  if (o.result != TraceOpenResult::Ok) {
    showMessage(traceOpenMessage(o.result), {},
                o.result == TraceOpenResult::OtherDriveType ? PromptIcon::Stop : PromptIcon::None);
    return false;
  }
  view_.takeRecord(o.file);
  path_ = p;
  refresh();
  return true;
}

void TraceWindow::saveAsCommand() {
  const QString p = askPath(TraceWindowHost::FileDialog::SaveAs);
  if (!p.isEmpty()) saveFile(p);
}

void TraceWindow::saveCommand() {
  if (path_.isEmpty())
    saveAsCommand();
  else
    saveFile(path_);
}

bool TraceWindow::saveFile(const QString& p) {
  const TraceSave s = saveTraceFile(p.toStdString(), view_.record());
  if (s.outcome == TraceSave::Outcome::Failed) showMessage(s.error, kSaveTitle, PromptIcon::Stop);
  if (s.outcome != TraceSave::Outcome::Written) return false;
  path_ = p;
  refreshTitle();
  return true;
}

QImage TraceWindow::picture() const { return TracePlotPainter().picture(view_); }

void TraceWindow::copyCommand() { QApplication::clipboard()->setImage(picture()); }

// ---- scales, time, cursors -------------------------------------------------------------

void TraceWindow::scaleChosen(int c) {
  view_.chooseScale(c, scale_[static_cast<std::size_t>(c)]->currentIndex() + (view_.autoAllowed() ? 0 : 1));
  refreshScales();
}

void TraceWindow::timeScaleChosen() {
  view_.time().select(timeScale_->currentIndex());
  refreshTime();
}

void TraceWindow::zoom(bool in) {
  if (!(in ? view_.time().zoomIn() : view_.time().zoomOut())) return;
  refreshControls();
  refreshScales();
  refreshTime();
}

void TraceWindow::cursorModeChanged() {
  view_.cursors().mode = vertical_->isChecked() ? CursorMode::Vertical : CursorMode::Horizontal;
  refreshReadouts();
  plot_->refresh();
}

void TraceWindow::measuredChosen() {
  view_.setMeasured(measured_->currentIndex());
  refreshReadouts();
  plot_->refresh();
}

}  // namespace zavo
