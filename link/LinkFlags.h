#pragma once
// The link flags of the view that owns the connection, shared by the connection manager and
// the drive operations.

namespace zavo {

struct LinkFlags {
  bool portOpen = false;        // the main port was opened by us and must be closed on disconnect
  bool linkWanted = false;      // the user connected and did not disconnect: reconnect on loss
  bool linkBusy = false;        // a user-interface drive operation is running: the timer waits
  bool modalOperation = false;  // a modal drive dialog runs: no health poll
  int reconnectTicks = 0;       // timer ticks, 0-999
};

// Raises link-busy for a scope and puts the previous state back.
class LinkBusyScope {
 public:
  explicit LinkBusyScope(LinkFlags& flags) : flags_(flags), previous_(flags.linkBusy) { flags_.linkBusy = true; }
  ~LinkBusyScope() { flags_.linkBusy = previous_; }
  LinkBusyScope(const LinkBusyScope&) = delete;
  LinkBusyScope& operator=(const LinkBusyScope&) = delete;

 private:
  LinkFlags& flags_;
  bool previous_;
};

}  // namespace zavo
