#pragma once
// Cuts the byte stream that arrives on the drive's line into requests. DriveLink requests are
// told by their first characters; Modbus ASCII frames run from ':' to LF; Modbus RTU frames
// have the length of their function, or end where the line falls silent. In Modbus mode the
// drive still takes DriveLink requests, so both kinds are recognised side by side. Bytes that
// cannot start a request are skipped, and a fragment the line leaves unfinished is dropped.

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/RequestKind.h"

namespace zavo::sim {

enum class LineProtocol { DriveLink, ModbusAscii, ModbusRtu };

class RequestFramer {
 public:
  using Clock = std::chrono::steady_clock;

  struct Request {
    LineProtocol protocol = LineProtocol::DriveLink;
    Bytes bytes;
    Clock::time_point firstByte;
  };

  // `line`: what the drive is set to (DriveLink, or Modbus ASCII or RTU at `station`).
  // `silence`: the quiet time that ends an RTU frame of unknown length; an unfinished
  // fragment is dropped after `staleAfter` of quiet.
  RequestFramer(LineProtocol line, int station, Clock::duration silence, Clock::duration staleAfter);

  void feed(const std::uint8_t* bytes, std::size_t count, Clock::time_point now);
  // The next complete request, if there is one by `now`.
  std::optional<Request> next(Clock::time_point now);
  // When the line's silence would next end a frame or drop a fragment.
  std::optional<Clock::time_point> deadline() const;
  std::size_t pending() const { return buffer_.size(); }
  // Forgets whatever is buffered (a new line after a replug).
  void clear();
  // The stations the drives on this line answer at (a bus has several); the constructor's
  // station until set.
  void serveStations(std::vector<int> stations) { stations_ = std::move(stations); }

 private:
  // Bytes of the request at the head of the buffer: 0 to wait for more, kSkip when the head
  // byte starts nothing.
  static constexpr std::size_t kSkip = static_cast<std::size_t>(-1);
  std::size_t headLength(LineProtocol& protocol) const;
  std::size_t driveLinkLength() const;
  std::size_t asciiLength() const;
  std::size_t rtuLength() const;
  bool looksLikeDriveLink() const;
  bool crcHolds(std::size_t length) const;
  bool serves(std::uint8_t station) const;
  Request take(std::size_t length, LineProtocol protocol);
  void drop(std::size_t count);

  LineProtocol line_;
  std::vector<int> stations_;
  Clock::duration silence_;
  Clock::duration staleAfter_;
  Bytes buffer_;
  std::vector<Clock::time_point> arrived_;  // per byte of buffer_
};

}  // namespace zavo::sim
