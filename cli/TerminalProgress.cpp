#include "cli/TerminalProgress.h"

#include <unistd.h>

#include <cstdio>

namespace zavo::cli {

TerminalProgress::TerminalProgress() : tty_(::isatty(STDERR_FILENO) != 0) {}

void TerminalProgress::open(const std::string&, int lower, int upper) {
  lower_ = lower;
  upper_ = upper > lower ? upper : lower + 1;
  pos_ = lower;
  drawnPercent_ = -1;
}

void TerminalProgress::step() {
  if (pos_ < upper_) ++pos_;
  draw();
}

void TerminalProgress::draw() {
  if (!tty_) return;
  const int percent = (pos_ - lower_) * 100 / (upper_ - lower_);
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  constexpr int kWidth = 30;
  const int filled = percent * kWidth / 100;
  std::fprintf(stderr, "\r[%.*s%*s] %3d%% %-40.40s", filled, "##############################", kWidth - filled, "",
               percent, text_.c_str());
  std::fflush(stderr);
}

void TerminalProgress::close() {
  if (tty_ && drawnPercent_ >= 0) std::fprintf(stderr, "\r%*s\r", 80, "");
  drawnPercent_ = -1;
}

}  // namespace zavo::cli
