#include "sim/TraceEngine.h"

#include <algorithm>
#include <cstdio>

#include "link/DriveLinkCodec.h"
#include "sim/DriveLinkResponder.h"

namespace zavo::sim {
namespace {

using namespace zavo::trace;

constexpr double kFastUnitMs = 0.1;
constexpr double kMonitorUnitMs = 10;
constexpr int kMaxPosition = 50;
constexpr int kByte = 8;
constexpr std::uint16_t kByteMask = 0xFF;

bool isTraceRegister(int number) {
  return (number >= kRegConfig && number <= kRegSources34) || number == kRegEnable || number == kRegReady;
}

// Four hex digits at `d`, -1 when any is not one.
int field(const std::uint8_t* d) {
  int v = 0;
  for (int i = 0; i < 4; ++i) {
    const int x = drivelink::hexDigit(d[i]);
    if (x < 0) return -1;
    v = v * 16 + x;
  }
  return v;
}

Answer portRefusal(RequestKind kind) { return Answer{kind, true, Bytes{kReplyPortRefused}}; }

}  // namespace

TraceEngine::TraceEngine(MotionSource& motion, TraceSignals::Scale scale, std::uint64_t seed, TerminalsFn terminals)
    : signals_(motion, scale, seed), capture_(signals_), terminals_(std::move(terminals)) {}

std::uint16_t TraceEngine::reg(int number) const {
  const auto it = regs_.find(number);
  return it == regs_.end() ? 0 : it->second;
}

bool TraceEngine::claims(RegisterRef r) const { return pageIndexOf(r.page) >= 0 && isTraceRegister(numberOfRegister(r)); }

std::optional<std::uint16_t> TraceEngine::read(RegisterRef r) {
  const int number = numberOfRegister(r);
  if (number != kRegReady) return reg(number);
  if (rightAfter_) {
    rightAfter_ = false;
    return static_cast<std::uint16_t>(capture_.ringPosition());
  }
  if (capture_.takeEvent()) {
    rightAfter_ = true;
    return 1;
  }
  return static_cast<std::uint16_t>(capture_.capturing() ? 0 : capture_.ringPosition());
}

bool TraceEngine::accepts(RegisterRef r, std::uint16_t) const { return numberOfRegister(r) != kRegReady; }

void TraceEngine::write(RegisterRef r, std::uint16_t value) {
  const int number = numberOfRegister(r);
  regs_[number] = value;
  if (number == kRegMode || number == kRegHandBack || number == kRegRun || number == kRegEnable) rightAfter_ = false;
  if (number == kRegRun) {
    reportOverruns();
    if (value == kRunStart) {
      capture_.start(now_, setup(), terminals_ ? terminals_() : TraceSignals::Terminals{});
      reported_ = 0;
    } else {
      capture_.stop();
    }
  } else if (number == kRegHandBack && value == kHandBackHalf) {
    capture_.handBack(now_);
  }
}

void TraceEngine::poke(RegisterRef r, std::uint16_t value) {
  const int number = numberOfRegister(r);
  if (number != kRegReady) regs_[number] = value;
}

void TraceEngine::advance(double ms) {
  now_ = std::max(now_, ms);
  capture_.advance(now_);
}

TraceCapture::Setup TraceEngine::setup() const {
  TraceCapture::Setup s;
  s.mode = std::min<int>(reg(kRegMode), static_cast<int>(TraceMode::Monitor));
  const int interval = std::max<int>(reg(kRegInterval), 1);
  s.periodMs = interval * (s.mode == static_cast<int>(TraceMode::Monitor) ? kMonitorUnitMs : kFastUnitMs);
  s.sources = {reg(kRegSources12) & kByteMask, reg(kRegSources12) >> kByte, reg(kRegSources34) & kByteMask,
               reg(kRegSources34) >> kByte};
  const int channel = reg(kRegTriggerChannel);
  s.triggerChannel = s.mode != static_cast<int>(TraceMode::Monitor) && channel <= kChannelCount ? channel : 0;
  s.triggerLevel = static_cast<std::int16_t>(reg(kRegTriggerLevel));
  s.edge = std::min<int>(reg(kRegTriggerEdge), static_cast<int>(TriggerEdge::Both));
  s.triggerPosition = std::min<int>(reg(kRegTriggerPosition), kMaxPosition);
  return s;
}

void TraceEngine::reportOverruns() {
  // Once per capture, when it stops (or is started over without a stop).
  if (capture_.overruns() > reported_) std::fprintf(stderr, "TRACE overrun %ld\n", capture_.overruns());
  reported_ = capture_.overruns();
}

std::optional<Answer> TraceEngine::intercept(std::span<const std::uint8_t> frame) {
  if (frame.size() == kBlockRequestLength && frame[0] == protocol::kBlockRead && frame[1] == '0' + kAreaCount &&
      field(&frame[2]) >= kAreaStart[0][0] && field(&frame[2]) < kAreaStart[0][0] + kRecordsPerHalf)
    return blockRead(frame);
  if (portRefused_ && isSetupWrite(frame)) return portRefusal(RequestKind::MultiWrite);
  return std::nullopt;
}

bool TraceEngine::isSetupWrite(std::span<const std::uint8_t> frame) const {
  if (frame[0] != protocol::kMultiWrite || frame.size() < 4) return false;
  const std::size_t pairs = (frame.size() - 4) / 8;
  for (std::size_t i = 0; i < pairs; ++i)
    if (field(&frame[2 + 8 * i]) == kRegSources12) return true;
  return false;
}

std::optional<Answer> TraceEngine::blockRead(std::span<const std::uint8_t> frame) {
  if (portRefused_) return portRefusal(RequestKind::BlockRead);
  const int offset = field(&frame[2]) - kAreaStart[0][0];
  const int count = reg(kRegMode) == static_cast<int>(TraceMode::Monitor) ? kMonitorRecordsPerBlock : kRecordsPerBlock;
  int half = -1;
  for (int h = 0; h < kHalves && half < 0; ++h) {
    bool match = true;
    for (int a = 1; a < kAreaCount; ++a)
      match = match && field(&frame[2 + 4 * a]) == kAreaStart[static_cast<std::size_t>(h)][static_cast<std::size_t>(a)] + offset;
    if (match) half = h;
  }
  if (half < 0 || offset + count > capture_.recordsPerHalf())
    return Answer{RequestKind::BlockRead, true, DriveLinkResponder::refusal()};
  Bytes reply;
  reply.reserve(static_cast<std::size_t>(count) * kRecordLength);
  for (int r = offset; r < offset + count; ++r) {
    const auto& w = capture_.record(half, r);
    const std::uint16_t values[kAreaCount] = {static_cast<std::uint16_t>(r), w[0], w[1], w[2], w[3]};
    const Bytes one = DriveLinkResponder::dataReply(values);
    reply.insert(reply.end(), one.begin(), one.end());
  }
  if (spoil_ > 0) {
    --spoil_;
    reply[reply.size() / 2 + 1] ^= 0x01;  // a data digit of a record in the middle
  }
  return Answer{RequestKind::BlockRead, true, std::move(reply)};
}

}  // namespace zavo::sim
