#include "trace/TraceSettings.h"

#include "trace/TraceProtocol.h"

namespace zavo::trace {
namespace {

constexpr int kMonitorPoints = 5120;
constexpr double kFastUnitMs = 0.1;     // Single and Cycle: 100 µs
constexpr double kMonitorUnitMs = 10;   // Monitor: 10 ms
constexpr std::int32_t kPeriodWordPerInterval = 10000;

}  // namespace

int TraceSettings::triggerSource() const {
  if (!triggered() || triggerChannel < 1 || triggerChannel > kChannelCount) return kSourceNone;
  return sources[static_cast<std::size_t>(triggerChannel - 1)];
}

int TraceSettings::pointsPerLine() const { return monitor() ? kMonitorPoints : kRecordsPerCapture; }

double TraceSettings::sampleTimeMs() const { return interval * (monitor() ? kMonitorUnitMs : kFastUnitMs); }

double TraceSettings::lineTimeMs() const { return sampleTimeMs() * pointsPerLine(); }

std::int32_t TraceSettings::samplePeriodWord() const { return interval * kPeriodWordPerInterval; }

bool TraceSettings::data4Free() const {
  for (int c = 0; c < kChannelCount - 1; ++c)
    if (sources[static_cast<std::size_t>(c)] == kSourceDeviation) return false;
  return true;
}

std::array<int, kChannelCount> TraceSettings::armedSources() const {
  auto s = sources;
  if (!data4Free()) s[kChannelCount - 1] = kSourceDeviationHigh;
  return s;
}

}  // namespace zavo::trace
