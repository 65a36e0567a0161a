#include "platform/qt/QtPrompt.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>

namespace zavo {

QMessageBox::Icon QtPrompt::iconOf(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Stop: return QMessageBox::Critical;
    case PromptIcon::Exclamation: return QMessageBox::Warning;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtPrompt::buttonsOf(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case PromptButtons::Ok: break;
  }
  return QMessageBox::Ok;
}

PromptAnswer QtPrompt::answerOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Retry: return PromptAnswer::Retry;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
  }
}

QMessageBox* QtPrompt::makeBox(const PromptRequest& request) {
  auto* box = new QMessageBox(iconOf(request.icon), QString::fromStdString(request.title),
                              QString::fromStdString(request.text), buttonsOf(request.buttons),
                              QApplication::activeWindow());
  // A Yes/No question has no Cancel; Escape and the close button must then mean No, never a
  // silent Yes.
  if (request.buttons == PromptButtons::YesNo) box->setEscapeButton(QMessageBox::No);
  if (request.topmost) box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  return box;
}

PromptAnswer QtPrompt::askHere(const PromptRequest& request) {
  QMessageBox* box = makeBox(request);
  const int result = box->exec();
  delete box;
  return answerOf(static_cast<QMessageBox::StandardButton>(result));
}

PromptAnswer QtPrompt::ask(const PromptRequest& request) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() == app->thread()) return askHere(request);
  PromptAnswer answer = PromptAnswer::Cancel;
  QMetaObject::invokeMethod(
      app, [&] { answer = askHere(request); }, Qt::BlockingQueuedConnection);
  return answer;
}

}  // namespace zavo
