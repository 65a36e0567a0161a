#include "platform/qt/CommandActions.h"

#include <QAction>

#include "platform/qt/UiText.h"

namespace zavo {

QAction* CommandActions::add(int id, const char* english) {
  if (QAction* existing = action(id)) return existing;
  auto* a = new QAction(uiText(id, english), owner_);
  a->setData(id);
  a->setObjectName(QStringLiteral("command%1").arg(id));
  QObject::connect(a, &QAction::triggered, owner_, [this, id] {
    if (router_) router_(id);
  });
  actions_[id] = a;
  return a;
}

QAction* CommandActions::action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

std::vector<int> CommandActions::ids() const {
  std::vector<int> out;
  for (const auto& [id, a] : actions_) out.push_back(id);
  return out;
}

bool CommandActions::trigger(int id) {
  QAction* a = action(id);
  if (!a || !a->isEnabled()) return false;
  a->trigger();
  return true;
}

}  // namespace zavo
