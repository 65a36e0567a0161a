#pragma once
// The receiving side of posted messages: a table from message id to handler, so a window
// declares what it answers in one place instead of a growing switch.
//
//   messages_.on(kMsgClearAlarm, [this](quintptr w, qintptr l) { clearAlarm(w, l); });
//   bool MyWindow::event(QEvent* e) { return messages_.dispatch(e) || QWidget::event(e); }

#include <QtGlobal>

#include <functional>
#include <map>

class QEvent;

namespace zavo {

class MessageMap {
 public:
  using Handler = std::function<void(quintptr wParam, qintptr lParam)>;

  void on(unsigned message, Handler handler);
  bool handles(unsigned message) const { return handlers_.count(message) != 0; }
  // Runs the handler when `event` is a posted message with one; returns whether it did.
  bool dispatch(QEvent* event) const;

 private:
  std::map<unsigned, Handler> handlers_;
};

}  // namespace zavo
