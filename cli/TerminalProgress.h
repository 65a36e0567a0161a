#pragma once
// A progress bar on standard error for long transfers, drawn only when standard error is a
// terminal. Ctrl-C ends the program; there is no Cancel.

#include <string>

#include "platform/Progress.h"

namespace zavo::cli {

class TerminalProgress final : public Progress {
 public:
  TerminalProgress();
  void open(const std::string& title, int lower, int upper) override;
  void setText(const std::string& text) override { text_ = text; }
  void step() override;
  bool pump() override { return false; }
  void close() override;

 private:
  void draw();
  bool tty_;
  int lower_ = 0, upper_ = 1, pos_ = 0, drawnPercent_ = -1;
  std::string text_;
};

}  // namespace zavo::cli
