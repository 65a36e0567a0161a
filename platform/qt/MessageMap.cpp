#include "platform/qt/MessageMap.h"

#include "platform/qt/PostedMessage.h"

namespace zavo {

void MessageMap::on(unsigned message, Handler handler) { handlers_[message] = std::move(handler); }

bool MessageMap::dispatch(QEvent* event) const {
  const PostedMessage* m = PostedMessage::from(event);
  if (!m) return false;
  const auto it = handlers_.find(m->message());
  if (it == handlers_.end()) return false;
  it->second(m->wParam(), m->lParam());
  return true;
}

}  // namespace zavo
