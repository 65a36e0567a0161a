#include "trace/TraceMemoryReader.h"

#include <chrono>
#include <thread>

#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/Protocol.h"
#include "trace/TraceFrames.h"
#include "trace/TraceProtocol.h"

namespace zavo::trace {
namespace {

constexpr int kTries = 2;  // a bad block, or a bad ready reply, is read once more
// Between polls that found the drive not ready. On a serial line a poll takes longer than
// this by itself (15 characters: 1.3 ms at 115200 baud), so readiness is seen as soon as
// before; on a line without time of its own (a pseudo-terminal) it keeps the worker from
// taking a whole processor while the drive fills its memory.
constexpr auto kPollPause = std::chrono::microseconds(200);

// One record of a block reply: '%', five fields of four hex digits, its own checksum.
bool recordSound(const std::uint8_t* rec) {
  if (rec[0] != protocol::kReplyOk || !drivelink::checksumMatches({rec, kRecordLength})) return false;
  for (std::size_t i = 1; i < 1 + 4 * kRecordFields; ++i)
    if (drivelink::hexDigit(rec[i]) < 0) return false;
  return true;
}

}  // namespace

TraceMemoryReader::TraceMemoryReader(CSerial& port, const StopEvent& stop, const Sources& sources,
                                     TraceScaling scaling, int recordsPerBlock)
    : port_(port),
      stop_(stop),
      sources_(sources),
      scaling_(scaling),
      recordsPerBlock_(recordsPerBlock),
      reply_(static_cast<std::size_t>(recordsPerBlock) * kRecordLength) {
  block_.reserve(static_cast<std::size_t>(recordsPerBlock));
}

TraceMemoryReader::Result TraceMemoryReader::waitReady(bool anyNonZero) {
  const Frame poll = registerRead(kRegReady);
  std::uint8_t reply[protocol::kReadReplyLength];
  int bad = 0;
  for (;;) {
    if (stop_.isSet()) return Result::Stopped;
    if (rawExchange(port_, poll.data(), poll.size, reply, sizeof reply) != 0) {
      if (anyNonZero && reply[0] == kReplyPortRefused) return Result::PortRefused;
      return Result::Failed;
    }
    if (reply[0] != protocol::kReplyOk || !drivelink::checksumMatches({reply, sizeof reply})) {
      // One damaged reply is a poll that told nothing; a line that damages them all is lost.
      if (++bad == kTries) return Result::Failed;
      continue;
    }
    bad = 0;
    const int value = drivelink::hexValue16(&reply[1]);
    if (anyNonZero ? value != 0 : value == 1) return Result::Ok;
    std::this_thread::sleep_for(kPollPause);
  }
}

TraceMemoryReader::Result TraceMemoryReader::ringPosition(int& position, bool& tooHigh) {
  const int value = exchangeRead(port_, registerRead(kRegReady));
  if (value < 0) return Result::Failed;
  tooHigh = value > kMaxRingPosition;
  position = tooHigh ? 0 : value;
  return Result::Ok;
}

TraceMemoryReader::Result TraceMemoryReader::readHalf(int half, const std::function<void(const TraceRecord&)>& take) {
  for (int b = 0; b < kBlocksPerHalf; ++b) {
    if (stop_.isSet()) return Result::Stopped;
    const Result r = readBlock(half, b * recordsPerBlock_);
    if (r != Result::Ok) return r;
    for (const auto& rec : block_) take(rec);
  }
  return Result::Ok;
}

TraceMemoryReader::Result TraceMemoryReader::readBlock(int half, int offset) {
  const Frame request = recordBlockRead(half, offset);
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (rawExchange(port_, request.data(), request.size, reply_.data(), reply_.size()) != 0) {
      if (reply_[0] == kReplyPortRefused) return Result::PortRefused;
      continue;
    }
    if (parseBlock()) return Result::Ok;
  }
  return Result::Failed;
}

bool TraceMemoryReader::parseBlock() {
  block_.clear();
  for (int r = 0; r < recordsPerBlock_; ++r) {
    const std::uint8_t* rec = reply_.data() + static_cast<std::size_t>(r) * kRecordLength;
    if (!recordSound(rec)) return false;
    TraceRecord out;
    out.index = drivelink::hexValue16(rec + 1);
    for (std::size_t c = 0; c < kChannelCount; ++c)
      out.values[c] = scaling_.value(sources_[c], drivelink::hexValue16(rec + 5 + 4 * c));
    block_.push_back(out);
  }
  return true;
}

bool TraceMemoryReader::writeAcknowledged(int number, int value) {
  std::uint8_t reply[protocol::kWriteReplyLength];
  return checkedExchange(port_, registerWrite(number, value), reply, sizeof reply) == protocol::kExchangeWriteAck;
}

}  // namespace zavo::trace
