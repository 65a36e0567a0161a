#pragma once
// A look at a DriveLink request before the drive's memory answers it, for an engine whose
// requests do not fit one register per value (the trace memory's block reads).

#include <cstdint>
#include <optional>
#include <span>

#include "sim/RequestKind.h"

namespace zavo::sim {

class FrameHook {
 public:
  virtual ~FrameHook() = default;
  // The answer to a request with a good checksum, or nullopt to let the memory answer.
  virtual std::optional<Answer> intercept(std::span<const std::uint8_t> frame) = 0;
};

}  // namespace zavo::sim
