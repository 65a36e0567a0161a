#pragma once
// The view's trace-settings block: the settings of the last capture as the view keeps them
// for the trace window and trace.ini, all 32-bit words, zero until a capture was set up.

#include <array>
#include <cstdint>

#include "trace/TraceSettings.h"
#include "trace/TraceSources.h"

namespace zavo::trace {

struct TraceSettingsBlock {
  std::int32_t present = 0;  // settings-present flag
  TerminalAssignments assignments{};
  std::int32_t points = 0;
  std::int32_t edge = 0;
  std::int32_t reserved = 0;  // always 0
  std::int32_t interval = 0;
  std::int32_t triggerChannel = 0;
  std::int32_t triggerLevel = 0;
  std::int32_t mode = 0;
  std::int32_t triggerPosition = 0;
  std::int32_t samplePeriod = 0;  // interval × 10000
  std::array<std::int32_t, kChannelCount> sources{};
  std::array<std::int32_t, kChannelCount> colours{};  // RGB words

  // The block for `s` as set up with `assignments` (present).
  static TraceSettingsBlock of(const TraceSettings& s, const TerminalAssignments& assignments);
  // The settings the block holds. Colours the table lacks come back as index 0; the reverse
  // flags are not part of the block.
  TraceSettings settings() const;

  friend bool operator==(const TraceSettingsBlock&, const TraceSettingsBlock&) = default;
};

}  // namespace zavo::trace
