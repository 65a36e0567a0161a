#include "sim/RequestFramer.h"

#include <algorithm>

#include "link/DriveLinkCodec.h"
#include "link/ModbusCodec.h"
#include "link/Protocol.h"
#include "sim/SimConstants.h"

namespace zavo::sim {
namespace {

constexpr std::size_t kMaxBuffered = 2048;
// The second character of every DriveLink request is a page character or a count digit; no
// Modbus function code reaches into that range.
constexpr std::uint8_t kLowestDriveLinkSecond = '0';

bool startsDriveLink(std::uint8_t b) {
  return b == protocol::kRead || b == protocol::kWrite || b == protocol::kBlockRead ||
         b == protocol::kMultiWrite;
}

}  // namespace

RequestFramer::RequestFramer(LineProtocol line, int station, Clock::duration silence,
                             Clock::duration staleAfter)
    : line_(line), stations_{station}, silence_(silence), staleAfter_(staleAfter) {}

bool RequestFramer::serves(std::uint8_t station) const {
  return std::find(stations_.begin(), stations_.end(), station) != stations_.end();
}

void RequestFramer::feed(const std::uint8_t* bytes, std::size_t count, Clock::time_point now) {
  buffer_.insert(buffer_.end(), bytes, bytes + count);
  arrived_.insert(arrived_.end(), count, now);
  if (buffer_.size() > kMaxBuffered) drop(buffer_.size() - kMaxBuffered);
}

void RequestFramer::clear() { drop(buffer_.size()); }

void RequestFramer::drop(std::size_t count) {
  count = std::min(count, buffer_.size());
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<long>(count));
  arrived_.erase(arrived_.begin(), arrived_.begin() + static_cast<long>(count));
}

RequestFramer::Request RequestFramer::take(std::size_t length, LineProtocol protocol) {
  Request r{protocol, Bytes(buffer_.begin(), buffer_.begin() + static_cast<long>(length)), arrived_.front()};
  drop(length);
  return r;
}

std::size_t RequestFramer::driveLinkLength() const {
  const std::size_t n = drivelink::requestLength(buffer_);
  return n == drivelink::kNotARequest ? kSkip : n;
}

std::size_t RequestFramer::asciiLength() const {
  const std::size_t limit = std::min(buffer_.size(), kMaxAsciiFrame);
  for (std::size_t i = 1; i < limit; ++i) {
    if (buffer_[i] == '\n') return i + 1;
    // A new start before the end: the frame before it was cut off.
    if (buffer_[i] == protocol::kModbusAsciiStart) return kSkip;
  }
  return buffer_.size() >= kMaxAsciiFrame ? kSkip : 0;
}

std::size_t RequestFramer::rtuLength() const {
  if (buffer_.size() < 2) return 0;
  for (const RtuLayout& l : kRtuLayouts) {
    if (l.function != buffer_[1]) continue;
    if (l.countOffset == 0) return l.length;
    return buffer_.size() > l.countOffset ? l.length + buffer_[l.countOffset] : 0;
  }
  return 0;  // unknown layout: the frame ends where the line falls silent
}

bool RequestFramer::crcHolds(std::size_t length) const {
  const std::uint16_t crc = modbus::crc16(buffer_.data(), length - 2);
  return buffer_[length - 2] == (crc & 0xFF) && buffer_[length - 1] == (crc >> 8);
}

bool RequestFramer::looksLikeDriveLink() const {
  if (!startsDriveLink(buffer_[0])) return false;
  if (line_ != LineProtocol::ModbusRtu) return true;
  // On an RTU line 'R', 'W', 'B' and 'P' are stations too (a search of the line asks them
  // all): the second byte tells.
  return buffer_.size() >= 2 && buffer_[1] >= kLowestDriveLinkSecond;
}

std::size_t RequestFramer::headLength(LineProtocol& protocol) const {
  const std::uint8_t b = buffer_[0];
  if (line_ == LineProtocol::ModbusAscii && b == protocol::kModbusAsciiStart) {
    protocol = LineProtocol::ModbusAscii;
    return asciiLength();
  }
  if (line_ == LineProtocol::ModbusRtu && startsDriveLink(b) && buffer_.size() < 2)
    return 0;  // the next byte tells a DriveLink request from an RTU frame
  if (looksLikeDriveLink()) {
    protocol = LineProtocol::DriveLink;
    return driveLinkLength();
  }
  if (line_ != LineProtocol::ModbusRtu) return kSkip;
  protocol = LineProtocol::ModbusRtu;
  const bool ours = serves(b) || b == kModbusBroadcast;
  // A frame whose layout gives its length is taken only when its CRC proves it is one: a
  // stray byte before it must not swallow its start, and another station's request on a
  // shared line passes whole rather than leaving data bytes that look like a request to us.
  const std::size_t length = rtuLength();
  if (length == 0) return ours ? 0 : kSkip;
  if (length > kMaxRtuFrame) return kSkip;
  if (buffer_.size() < length) return 0;
  return crcHolds(length) ? length : kSkip;
}

std::optional<RequestFramer::Request> RequestFramer::next(Clock::time_point now) {
  while (!buffer_.empty()) {
    LineProtocol protocol = line_;
    const std::size_t length = headLength(protocol);
    if (length == kSkip) {
      drop(1);
      continue;
    }
    if (length != 0 && buffer_.size() >= length) return take(length, protocol);
    // Incomplete. The line's silence decides: an RTU frame of unknown layout ends there,
    // anything else unfinished is a fragment to forget.
    const auto quiet = now - arrived_.back();
    if (protocol == LineProtocol::ModbusRtu && length == 0 && buffer_.size() >= 2 && quiet >= silence_)
      return take(std::min(buffer_.size(), kMaxRtuFrame), protocol);
    if (quiet >= staleAfter_ || (protocol == LineProtocol::ModbusRtu && quiet >= silence_ && length != 0)) {
      drop(buffer_.size());
      return std::nullopt;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::optional<RequestFramer::Clock::time_point> RequestFramer::deadline() const {
  if (buffer_.empty()) return std::nullopt;
  const auto wait = line_ == LineProtocol::ModbusRtu ? std::min(silence_, staleAfter_) : staleAfter_;
  return arrived_.back() + wait;
}

}  // namespace zavo::sim
