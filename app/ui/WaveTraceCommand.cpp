#include "app/ui/WaveTraceCommand.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>

#include <memory>

#include "app/ui/CZavoServoView.h"
#include "app/ui/RegisterListingCommands.h"
#include "editors/ui/OnlineParameterDialog.h"
#include "link/LinkPort.h"
#include "platform/qt/UiText.h"
#include "resources/StringIds.h"

namespace zavo {
namespace {

constexpr const char* kTrdSuffix = "trd";

QString askTracePath(TraceWindowHost::FileDialog kind, QWidget* parent) {
  const bool open = kind == TraceWindowHost::FileDialog::Open;
  QFileDialog dialog(parent);
  dialog.setDefaultSuffix(QString::fromLatin1(kTrdSuffix));
  dialog.setNameFilter(fileDialogFilter(
      open ? uiText(static_cast<int>(ids::kTraceOpenFilter), "Wave trace data files (*.trd)|*.trd|all files(*.*)|*.*||")
           : uiText(static_cast<int>(ids::kTraceSaveFilter), "Wave trace data files (*.trd)|*.trd||")));
  if (open)
    dialog.setFileMode(QFileDialog::ExistingFile);
  else
    dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

TraceWindowHost traceWindowHost(CZavoServoView& view) {
  TraceWindowHost host(mainPort(), view.linkFlags(), view.traceExchange(), view.traceSettings());
  host.monitorTimer = &view.monitorTimer();
  host.monitorTimerMs = kMonitorTimerMs;
  host.programDir = view.services().programDir;
  host.askPath = askTracePath;
  host.askSettings = [&view](const trace::TraceSettings& current, QWidget* parent) {
    return askTraceSettings(view.operations(), current, parent);
  };
  // The online editor beside the trace, modeless and once: a second press brings it forward.
  auto online = std::make_shared<QPointer<OnlineParameterDialog>>();
  host.openOnlineEditor = [&view, online](QWidget* parent) {
    if (!*online) {
      *online = new OnlineParameterDialog(view.operations(), view.document(), parent);
      (*online)->setAttribute(Qt::WA_DeleteOnClose);
    }
    (*online)->show();
    (*online)->raise();
    (*online)->activateWindow();
  };
  return host;
}

bool waveTrace(CZavoServoView& view) {
  const auto& open = view.toolWindows();
  if (open.display || open.diagnostics || open.alarm) {
    QApplication::beep();
    return false;
  }
  TraceWindow window(traceWindowHost(view), &view);
  window.exec();
  return true;
}

}  // namespace zavo
