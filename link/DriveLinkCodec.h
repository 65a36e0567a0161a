#pragma once
// DriveLink, the drive's native ASCII protocol: request builders, the two-digit byte-sum
// checksum and the reply checks. Pure functions; the exchange itself is in LinkSession.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/Frame.h"
#include "link/Protocol.h"

namespace zavo::drivelink {

// Sum of `bytes` modulo 256.
std::uint8_t byteSum(std::span<const std::uint8_t> bytes);
// Writes the checksum of the first `length - 2` bytes into bytes length-2 and length-1.
void appendChecksum(std::uint8_t* buffer, std::size_t length);
// True when the last two bytes are the checksum of the bytes before them.
bool checksumMatches(std::span<const std::uint8_t> frame);

// Hex digit value: '0'-'9', 'A'-'F', 'a'-'f'; anything else is -1.
int hexDigit(std::uint8_t c);
// The 16-bit value of four hex digits (callers check the frame checksum first).
int hexValue16(const std::uint8_t* digits);

Frame readRequest(int page, int address);
Frame readRequest5(int address);
Frame writeRequest(int page, int address, long value);
Frame writeRequest5(int address, long value);
Frame blockRead1(long registerNumber);
// 1 to 9 registers; a longer list is cut to nine, an empty one gives an empty frame.
Frame blockRead(std::span<const long> registerNumbers);
// 1 to 9 pairs; the shorter of the two lists decides the count.
Frame multiWrite(std::span<const long> registerNumbers, std::span<const long> values);

// Reply classification of the checked exchange. `reply` holds what arrived (at most the
// expected length). Never reads outside `reply`.
enum class ReplyKind {
  WriteAcknowledged,  // '%' to a W, P or M request
  DataValid,          // '%' with a matching checksum over the expected length
  Refused,            // '!' from the drive: the link itself is fine
  Failed,             // nothing, garbage, short or bad checksum: the link is suspect
};
ReplyKind classifyReply(std::uint8_t requestType, std::span<const std::uint8_t> reply,
                        std::size_t expected);

constexpr std::size_t blockReplyLength(std::size_t count) { return 4 * count + 3; }

}  // namespace zavo::drivelink

namespace zavo::drivelink {

// For a receiver of requests (the virtual drive, test peers): the full length of the request
// that starts `head`, 0 while too few bytes are there to tell, or kNotARequest when `head`
// cannot start a request.
inline constexpr std::size_t kNotARequest = static_cast<std::size_t>(-1);
std::size_t requestLength(std::span<const std::uint8_t> head);

}  // namespace zavo::drivelink
