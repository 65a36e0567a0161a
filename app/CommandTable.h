#pragma once
// The route of every menu command: command id -> handler. A window declares the commands it
// serves in one table; a command no table serves is shown disabled, and so is one whose
// condition does not hold now.

#include <functional>
#include <map>

namespace zavo {

class CommandTable {
 public:
  using Handler = std::function<void()>;
  using Condition = std::function<bool()>;

  void on(int commandId, Handler handler, Condition when = {}) {
    handlers_[commandId] = std::move(handler);
    if (when) conditions_[commandId] = std::move(when);
  }
  bool handles(int commandId) const { return handlers_.count(commandId) != 0; }
  bool enabled(int commandId) const {
    if (!handles(commandId)) return false;
    const auto it = conditions_.find(commandId);
    return it == conditions_.end() || it->second();
  }
  // Runs the command's handler; false when this table does not serve it.
  bool run(int commandId) const {
    const auto it = handlers_.find(commandId);
    if (it == handlers_.end()) return false;
    it->second();
    return true;
  }

 private:
  std::map<int, Handler> handlers_;
  std::map<int, Condition> conditions_;
};

}  // namespace zavo
