#pragma once
// The drive's end of its serial line: the master side of a pseudo-terminal. The program opens
// the slave path as it would open a port; closing the master is pulling the plug. With a link
// path, a symbolic link names the current slave, so a replugged drive is found where it was.

#include <string>

namespace zavo::sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Opens a new pty (raw, non-blocking master) and points `linkPath` at it when given.
  bool open(const std::string& linkPath, std::string* error);
  // Closes the master (the program sees a hang-up) and removes the link if it is still ours.
  void close();

  bool isOpen() const { return master_ >= 0; }
  // The baud rate the program has set on its side of the line (0 when it cannot be told).
  long lineBaud() const;
  int master() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  std::string slavePath_;
  std::string linkPath_;
};

}  // namespace zavo::sim
