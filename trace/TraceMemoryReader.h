#pragma once
// The worker's side of the line: polling the ready word, reading the ring position, reading
// a half of the trace memory block by block, and the hand-back write. Each record of a block
// is checked by its own checksum; a block with a bad record is read once more (the drive
// holds the half until it is handed back) before the read counts as failed. The stop event
// is looked at before every poll and between blocks, so a stop never waits for a whole half.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "comtrak/CSerial.h"
#include "trace/RecordQueue.h"
#include "trace/StopEvent.h"
#include "trace/TraceScaling.h"

namespace zavo::trace {

class TraceMemoryReader {
 public:
  enum class Result { Ok, Stopped, Failed, PortRefused };
  using Sources = std::array<int, kChannelCount>;

  TraceMemoryReader(CSerial& port, const StopEvent& stop, const Sources& sources, TraceScaling scaling,
                    int recordsPerBlock);

  // Polls 0x9F6 until it reads exactly 1, or with `anyNonZero` anything but 0, with no more
  // than a fraction of a poll's line time between polls.
  // A reply with a bad checksum is "not ready", two in a row a failure; no reply at all is a
  // failure, and with `anyNonZero` a '#' refusal is the port's refusal.
  Result waitReady(bool anyNonZero);
  // 0x9F6 read once more right after the ready answer; a value above 1023 sets `tooHigh` and
  // gives 0.
  Result ringPosition(int& position, bool& tooHigh);
  // The eight blocks of `half`, each record converted and handed to `take` in order.
  Result readHalf(int half, const std::function<void(const TraceRecord&)>& take);
  // A write the drive must acknowledge.
  bool writeAcknowledged(int number, int value);

  int recordsPerBlock() const { return recordsPerBlock_; }

 private:
  Result readBlock(int half, int offset);
  bool parseBlock();

  CSerial& port_;
  const StopEvent& stop_;
  Sources sources_;
  TraceScaling scaling_;
  int recordsPerBlock_;
  std::vector<std::uint8_t> reply_;
  std::vector<TraceRecord> block_;
};

}  // namespace zavo::trace
