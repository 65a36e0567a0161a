#pragma once
// zavoctl's --log-frames: the link's frame log made active for one run, each frame written as
// it passes, to standard error ("-") or to a file. The file is written under a temporary name
// beside it and takes its own name only when the run ends, so an earlier log is never lost
// to a run that could not write its own.

#include <cstdio>
#include <memory>
#include <string>

#include "link/FrameLog.h"

namespace zavo::cli {

class FrameLogOutput {
 public:
  // "" does nothing; "-" writes to standard error; anything else is a file path.
  explicit FrameLogOutput(const std::string& target);
  ~FrameLogOutput();
  FrameLogOutput(const FrameLogOutput&) = delete;
  FrameLogOutput& operator=(const FrameLogOutput&) = delete;

  // False (the reason on standard error) when the file cannot be written.
  bool ok() const { return ok_; }

 private:
  void finish();

  std::unique_ptr<FrameLog> log_;
  std::FILE* out_ = nullptr;
  std::string path_, partPath_;
  bool ok_ = true;
};

}  // namespace zavo::cli
