#include "link/DriveLinkCodec.h"

#include <algorithm>

#include "link/HexDigits.h"

namespace zavo::drivelink {
namespace {

using hex::put2;
using hex::put4;

Frame finish(Frame f) {
  appendChecksum(f.data(), f.size);
  return f;
}

}  // namespace

std::uint8_t byteSum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (auto b : bytes) sum += b;
  return static_cast<std::uint8_t>(sum & 0xFFu);
}

void appendChecksum(std::uint8_t* buffer, std::size_t length) {
  if (!buffer || length < 2) return;
  put2(buffer + length - 2, byteSum({buffer, length - 2}));
}

bool checksumMatches(std::span<const std::uint8_t> frame) {
  if (frame.size() < 3) return false;
  std::uint8_t expect[2];
  put2(expect, byteSum(frame.first(frame.size() - 2)));
  return frame[frame.size() - 2] == expect[0] && frame[frame.size() - 1] == expect[1];
}

int hexDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int hexValue16(const std::uint8_t* d) {
  const int v = hexDigit(d[0]) * 4096 + hexDigit(d[1]) * 256 + hexDigit(d[2]) * 16 + hexDigit(d[3]);
  return v & 0xFFFF;
}

Frame readRequest(int page, int address) {
  Frame f;
  f.size = protocol::kReadRequestLength;
  f.bytes[0] = protocol::kRead;
  f.bytes[1] = static_cast<std::uint8_t>(page);
  put2(&f.bytes[2], static_cast<unsigned>(address) & 0xFFu);
  return finish(f);
}

Frame readRequest5(int address) { return readRequest(protocol::kPage5, address); }

Frame writeRequest(int page, int address, long value) {
  Frame f;
  f.size = protocol::kWriteRequestLength;
  f.bytes[0] = protocol::kWrite;
  f.bytes[1] = static_cast<std::uint8_t>(page);
  put2(&f.bytes[2], static_cast<unsigned>(address) & 0xFFu);
  put4(&f.bytes[4], value);
  return finish(f);
}

Frame writeRequest5(int address, long value) { return writeRequest(protocol::kPage5, address, value); }

Frame blockRead1(long registerNumber) {
  const long regs[1] = {registerNumber};
  return blockRead(regs);
}

Frame blockRead(std::span<const long> registerNumbers) {
  Frame f;
  const std::size_t n = std::min(registerNumbers.size(), protocol::kMaxBlockCount);
  if (n == 0) return f;
  f.size = 4 * n + 4;
  f.bytes[0] = protocol::kBlockRead;
  f.bytes[1] = static_cast<std::uint8_t>('0' + n);
  for (std::size_t i = 0; i < n; ++i) put4(&f.bytes[2 + 4 * i], registerNumbers[i]);
  return finish(f);
}

Frame multiWrite(std::span<const long> registerNumbers, std::span<const long> values) {
  Frame f;
  const std::size_t n =
      std::min({registerNumbers.size(), values.size(), protocol::kMaxBlockCount});
  if (n == 0) return f;
  f.size = 8 * n + 4;
  f.bytes[0] = protocol::kMultiWrite;
  f.bytes[1] = static_cast<std::uint8_t>('0' + n);
  for (std::size_t i = 0; i < n; ++i) {
    put4(&f.bytes[2 + 8 * i], registerNumbers[i]);
    put4(&f.bytes[6 + 8 * i], values[i]);
  }
  return finish(f);
}

ReplyKind classifyReply(std::uint8_t requestType, std::span<const std::uint8_t> reply,
                        std::size_t expected) {
  if (reply.empty()) return ReplyKind::Failed;
  if (reply[0] == protocol::kReplyOk) {
    if (requestType == protocol::kWrite || requestType == protocol::kMultiWrite ||
        requestType == protocol::kWriteClassM)
      return ReplyKind::WriteAcknowledged;
    if (expected >= 3 && reply.size() >= expected && checksumMatches(reply.first(expected)))
      return ReplyKind::DataValid;
    return ReplyKind::Failed;
  }
  return reply[0] == protocol::kReplyRefused ? ReplyKind::Refused : ReplyKind::Failed;
}

}  // namespace zavo::drivelink

namespace zavo::drivelink {

std::size_t requestLength(std::span<const std::uint8_t> head) {
  if (head.empty()) return 0;
  switch (head[0]) {
    case protocol::kRead: return protocol::kReadRequestLength;
    case protocol::kWrite: return protocol::kWriteRequestLength;
    case protocol::kBlockRead:
    case protocol::kMultiWrite: {
      if (head.size() < 2) return 0;
      if (head[1] < '1' || head[1] > '9') return kNotARequest;
      const std::size_t n = head[1] - '0';
      return head[0] == protocol::kBlockRead ? 4 * n + 4 : 8 * n + 4;
    }
    default: return kNotARequest;
  }
}

}  // namespace zavo::drivelink
