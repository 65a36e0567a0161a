#pragma once
// What the connection asks of the program around it: the Link Port Set dialog, the status
// bar, the cursor, and the tool windows that care when the link comes and goes. The view
// implements it; zavoctl and tests implement it without windows.

#include <optional>
#include <string>

namespace zavo {

// The status bar's panes, numbered 0-7, that refreshPane() addresses.
inline constexpr int kStatusPaneCount = 8;

// The choice of the Link Port Set dialog.
struct LinkPortChoice {
  int portIndex = 0;      // position of the entry in the port list
  std::string portEntry;  // its text, "PORT : Description"
  int baudIndex = 1;
};

class ConnectionHost {
 public:
  virtual ~ConnectionHost() = default;
  // Shows the Link Port Set dialog with the baud index and remembered entry preset; nothing
  // when the user cancels. `linkWanted` makes it a disconnect confirmation.
  virtual std::optional<LinkPortChoice> askLinkPort(bool linkWanted, int baudIndex) = 0;
  // Status pane 0-7 is to show the current state.
  virtual void refreshPane(int /*pane*/) {}
  virtual void setWaitCursor(bool /*on*/) {}
  // The link is gone: the trace window disables its capture controls, the mechanical analysis
  // window its OK and start buttons (neither closes).
  virtual void linkLost() {}
  // After a reconnect that did not bring the link back: the display-value and diagnostics
  // windows close.
  virtual void closeMonitorWindows() {}
  virtual void reloadOnlineWindow() {}
  // The health poll's refresh of the open monitor windows; false at the first failure.
  virtual bool refreshMonitorWindows() { return true; }
  // The port a reconnect opened, for the device-arrival handling.
  virtual void rememberReconnectPort(const std::string& /*name*/) {}
};

}  // namespace zavo
