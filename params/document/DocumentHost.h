#pragma once
// What the document asks of the program around it. The document knows nothing of the link or
// the windows; where opening or saving needs them, it calls its host. Every call has a
// harmless default, so a document without a program (zavoctl, tests) needs no host.

#include <optional>
#include <string>

namespace zavo {

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;

  // A file of another drive type has been opened and the current drive type is now
  // `driveType`: the main window's caption follows it, and an open link is closed with its
  // menus and tool bar returned to their offline state.
  virtual void foreignFileOpened(int /*driveType*/) {}

  // The save dialog for a document that has no path yet; nullopt when the user cancels it.
  virtual std::optional<std::string> askSavePath() { return std::nullopt; }
};

}  // namespace zavo
