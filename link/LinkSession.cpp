#include "link/LinkSession.h"

#include <algorithm>
#include <cstring>

#include "link/DriveLinkCodec.h"
#include "link/LateReplies.h"
#include "link/LinkState.h"
#include "link/Protocol.h"

namespace zavo {

int checkedExchange(CSerial& port, const std::uint8_t* request, std::size_t length,
                    std::uint8_t* reply, std::size_t expected) {
  if (!request || !reply || length == 0 || expected == 0) return protocol::kExchangeFailed;
  // Clear the whole reply, not only its first byte: a short reply must never be checked
  // against what an earlier exchange left in the buffer.
  std::memset(reply, 0, expected);
  const auto rc = port.CommandSend(const_cast<std::uint8_t*>(request), static_cast<unsigned long>(length),
                                   reply, static_cast<unsigned long>(expected));
  const auto kind = drivelink::classifyReply(request[0], {reply, expected}, expected);
  if (kind == drivelink::ReplyKind::Failed && rc != CSerial::ErrIo) discardLateReplies(port, port.ReadTimerMs());
  if (rc != CSerial::ErrNone) port.ReleaseMutex();
  switch (kind) {
    case drivelink::ReplyKind::WriteAcknowledged: return protocol::kExchangeWriteAck;
    case drivelink::ReplyKind::DataValid: return protocol::kExchangeData;
    case drivelink::ReplyKind::Refused: return protocol::kExchangeFailed;
    case drivelink::ReplyKind::Failed: break;
  }
  linkState().connected = 0;
  return protocol::kExchangeFailed;
}

int checkedExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t expected) {
  return checkedExchange(port, request.data(), request.size, reply, expected);
}

int rawExchange(CSerial& port, const std::uint8_t* request, std::size_t length,
                std::uint8_t* reply, std::size_t capacity) {
  if (!request || !reply || length == 0 || capacity == 0) return 1;
  reply[0] = 1;
  const auto rc = port.CommandSend(const_cast<std::uint8_t*>(request), static_cast<unsigned long>(length),
                                   reply, static_cast<unsigned long>(capacity));
  if (rc != CSerial::ErrNone) {
    if (rc != CSerial::ErrIo) discardLateReplies(port, port.ReadTimerMs());
    port.ReleaseMutex();
    return 1;
  }
  return 0;
}

int exchangeRead(CSerial& port, const Frame& request) {
  std::uint8_t reply[protocol::kReadReplyLength];
  if (checkedExchange(port, request, reply, sizeof reply) != protocol::kExchangeData) return -1;
  return drivelink::hexValue16(&reply[1]);
}

}  // namespace zavo
