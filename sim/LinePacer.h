#pragma once
// Serial-line time for a drive on a pseudo-terminal, which by itself moves bytes at memory
// speed. With pacing on, a request counts as arrived only when its last character would have
// arrived, the reply starts after the turnaround, and each reply character leaves when the
// line would have carried it. Without pacing, replies go out at once.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zavo::sim {

class LinePacer {
 public:
  using Clock = std::chrono::steady_clock;

  LinePacer(bool enabled, long baud, int bitsPerCharacter, double turnaroundMs);

  bool enabled() const { return enabled_; }
  Clock::duration characterTime() const { return character_; }
  Clock::duration turnaround() const { return turnaround_; }

  // When a request of `length` characters whose first byte was seen at `firstByte` has fully
  // arrived. Requests queue behind each other on the line.
  Clock::time_point arrival(Clock::time_point firstByte, std::size_t length);
  // Writes `bytes` to `fd` starting no earlier than `start`, one character time apiece when
  // pacing. False when the line is gone.
  bool send(int fd, std::span<const std::uint8_t> bytes, Clock::time_point start);

  // Sleeps until `t`, spinning through the last stretch for sub-millisecond accuracy.
  static void waitUntil(Clock::time_point t);

 private:
  bool enabled_;
  Clock::duration character_;
  Clock::duration turnaround_;
  Clock::time_point lineFree_{};
};

}  // namespace zavo::sim
