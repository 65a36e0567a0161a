#include "cli/FrameLogOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zavo::cli {

FrameLogOutput::FrameLogOutput(const std::string& target) {
  if (target.empty()) return;
  if (target == "-") {
    out_ = stderr;
  } else {
    path_ = target;
    partPath_ = target + ".part" + std::to_string(::getpid());
    out_ = std::fopen(partPath_.c_str(), "w");
    if (!out_) {
      std::fprintf(stderr, "zavoctl: cannot write the frame log %s: %s\n", target.c_str(), std::strerror(errno));
      ok_ = false;
      return;
    }
  }
  log_ = std::make_unique<FrameLog>();
  std::FILE* out = out_;
  log_->setListener([out](const FrameRecord& r) {
    const std::string line = FrameLog::line(r);
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
  });
  setActiveFrameLog(log_.get());
}

FrameLogOutput::~FrameLogOutput() { finish(); }

void FrameLogOutput::finish() {
  if (!log_) return;
  setActiveFrameLog(nullptr);
  log_.reset();
  if (out_ && out_ != stderr) {
    const bool written = std::fclose(out_) == 0;
    std::error_code ec;
    if (written) std::filesystem::rename(partPath_, path_, ec);
    if (!written || ec) {
      std::fprintf(stderr, "zavoctl: the frame log stays in %s: %s\n", partPath_.c_str(),
                   ec ? ec.message().c_str() : "write failed");
    }
  }
  out_ = nullptr;
}

}  // namespace zavo::cli
