#pragma once
// Menu and tool bar commands by command id. Each command is one QAction whose text comes from
// the active text table (a command id doubles as the string id of its menu text); a triggered
// command is handed to one router by its id, so the menu needs no per-command wiring.

#include <functional>
#include <map>
#include <vector>

class QAction;
class QObject;

namespace zavo {

class CommandActions {
 public:
  using Router = std::function<void(int commandId)>;

  explicit CommandActions(QObject* owner) : owner_(owner) {}

  void setRouter(Router router) { router_ = std::move(router); }
  // Creates the action for `id` (or returns the existing one).
  QAction* add(int id, const char* english);
  QAction* action(int id) const;
  std::vector<int> ids() const;
  // Runs command `id` as the menu would when it is enabled; returns whether it ran.
  bool trigger(int id);

 private:
  QObject* owner_;
  Router router_;
  std::map<int, QAction*> actions_;
};

}  // namespace zavo
