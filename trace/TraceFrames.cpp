#include "trace/TraceFrames.h"

#include "link/DriveLinkCodec.h"
#include "trace/TraceProtocol.h"

namespace zavo::trace {
namespace {

constexpr int kPageShift = 8;
constexpr int kAddressMask = 0xFF;
constexpr int kDigitPages = 10;

int pageCharacter(int number) {
  const int page = number >> kPageShift;
  return page < kDigitPages ? '0' + page : 'A' + page - kDigitPages;
}

}  // namespace

Frame registerWrite(int number, long value) {
  return drivelink::writeRequest(pageCharacter(number), number & kAddressMask, value);
}

Frame registerRead(int number) { return drivelink::blockRead1(number); }

Frame recordBlockRead(int half, int offset) {
  long regs[kAreaCount];
  const auto& start = kAreaStart[static_cast<std::size_t>(half & 1)];
  for (std::size_t a = 0; a < kAreaCount; ++a) regs[a] = start[a] + offset;
  return drivelink::blockRead(regs);
}

Frame setupWrite(int sources12, int sources34, int interval) {
  const long regs[] = {kRegSources12, kRegSources34, kRegInterval, kRegConfig};
  const long values[] = {sources12, sources34, interval, 0};
  return drivelink::multiWrite(regs, values);
}

Frame triggerWrite(int channel, int position, int level, int edge) {
  const long regs[] = {kRegTriggerChannel, kRegTriggerPosition, kRegTriggerLevel, kRegTriggerEdge};
  const long values[] = {channel, position, level, edge};
  return drivelink::multiWrite(regs, values);
}

}  // namespace zavo::trace
