#pragma once
// A window message posted to a window: (message, wParam, lParam), delivered later on the
// receiver's thread through its event handler. Tool windows use it to ask the view for drive
// work; the worker thread uses it to reach the user-interface thread (posting is thread-safe).

#include <QEvent>
#include <QtGlobal>

class QObject;

namespace zavo {

class PostedMessage final : public QEvent {
 public:
  PostedMessage(unsigned message, quintptr wParam, qintptr lParam);

  // The event type all posted messages share (registered once per process).
  static QEvent::Type eventType();
  // The message carried by `event`, or nullptr when it is not a posted message.
  static const PostedMessage* from(const QEvent* event);

  unsigned message() const { return message_; }
  quintptr wParam() const { return wParam_; }
  qintptr lParam() const { return lParam_; }

 private:
  unsigned message_;
  quintptr wParam_;
  qintptr lParam_;
};

// Queues (message, wParam, lParam) for `receiver`; returns false when there is no receiver.
bool postMessage(QObject* receiver, unsigned message, quintptr wParam = 0, qintptr lParam = 0);

}  // namespace zavo
