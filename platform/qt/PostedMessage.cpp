#include "platform/qt/PostedMessage.h"

#include <QCoreApplication>
#include <QObject>

namespace zavo {

QEvent::Type PostedMessage::eventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

PostedMessage::PostedMessage(unsigned message, quintptr wParam, qintptr lParam)
    : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam) {}

const PostedMessage* PostedMessage::from(const QEvent* event) {
  if (!event || event->type() != eventType()) return nullptr;
  return static_cast<const PostedMessage*>(event);
}

bool postMessage(QObject* receiver, unsigned message, quintptr wParam, qintptr lParam) {
  if (!receiver) return false;
  QCoreApplication::postEvent(receiver, new PostedMessage(message, wParam, lParam));
  return true;
}

}  // namespace zavo
