#pragma once
// The route of every menu command: command id -> handler. A window declares the commands it
// serves in one table; a command no table serves is shown disabled.

#include <functional>
#include <map>

namespace zavo {

class CommandTable {
 public:
  using Handler = std::function<void()>;

  void on(int commandId, Handler handler) { handlers_[commandId] = std::move(handler); }
  bool handles(int commandId) const { return handlers_.count(commandId) != 0; }
  // Runs the command's handler; false when this table does not serve it.
  bool run(int commandId) const {
    const auto it = handlers_.find(commandId);
    if (it == handlers_.end()) return false;
    it->second();
    return true;
  }

 private:
  std::map<int, Handler> handlers_;
};

}  // namespace zavo
