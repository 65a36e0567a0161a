#include "link/LinkSession.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "link/DriveLinkCodec.h"
#include "link/FrameDecoding.h"
#include "link/FrameLog.h"
#include "link/LateReplies.h"
#include "link/LineEcho.h"
#include "link/LinkState.h"
#include "link/Protocol.h"

namespace zavo {
namespace {

bool refusalIsWhole(std::span<const std::uint8_t> reply) { return !reply.empty() && reply[0] == protocol::kReplyRefused; }

// `reply` holds the first `expected` bytes the line gave back, and they begin with the
// request itself: reads on past the echo and puts what follows in its place. The exchange
// mutex is held by the caller.
void takeReplyAfterEcho(CSerial& port, const std::uint8_t* request, std::size_t length, std::uint8_t* reply,
                        std::size_t expected) {
  std::vector<std::uint8_t> line(length + expected);
  std::copy(reply, reply + expected, line.begin());
  const long got = lineecho::readOn(port, line, expected, length, static_cast<unsigned long>(port.ReadTimerMs()),
                                    refusalIsWhole);
  std::memset(reply, 0, expected);
  // An "echo" that does not go on as the request did was garbage: the reply check fails it.
  if (got <= static_cast<long>(length) || !std::equal(request, request + length, line.begin())) return;
  std::copy(line.begin() + static_cast<long>(length), line.begin() + got, reply);
}

// The bytes that came: a DriveLink reply never holds a zero byte, and the buffer was cleared.
std::size_t receivedLength(const std::uint8_t* reply, std::size_t expected) {
  return static_cast<std::size_t>(std::find(reply, reply + expected, 0) - reply);
}

FrameOutcome outcomeOf(drivelink::ReplyKind kind, CSerial::ErrType rc, std::size_t received, std::size_t expected) {
  switch (kind) {
    case drivelink::ReplyKind::WriteAcknowledged:
    case drivelink::ReplyKind::DataValid: return FrameOutcome::Reply;
    case drivelink::ReplyKind::Refused: return FrameOutcome::Refused;
    case drivelink::ReplyKind::Failed: break;
  }
  return rc != CSerial::ErrNone || received < expected ? FrameOutcome::Timeout : FrameOutcome::BadChecksum;
}

void logRequest(FrameLog& log, const std::uint8_t* request, std::size_t length) {
  log.add(FrameDirection::Sent, FrameProtocol::DriveLink, FrameOutcome::Sent, {request, length},
          framedecoding::driveLinkRequest({request, length}));
}

void logReply(FrameLog& log, const std::uint8_t* request, std::size_t length, bool echoed, FrameOutcome outcome,
              std::span<const std::uint8_t> reply) {
  if (echoed) log.add(FrameDirection::Received, FrameProtocol::DriveLink, FrameOutcome::Echo, {request, length}, {});
  log.add(FrameDirection::Received, FrameProtocol::DriveLink, outcome, reply,
          outcome == FrameOutcome::Reply ? framedecoding::driveLinkReply(request[0], reply) : std::string());
}

// One exchange through CommandSend with an echo taken out of the reply. The caller holds the
// exchange mutex; CommandSend's own error hold is released here, right after the call.
CSerial::ErrType exchange(CSerial& port, const std::uint8_t* request, std::size_t length, std::uint8_t* reply,
                          std::size_t expected, bool& echoed) {
  const auto rc = port.CommandSend(const_cast<std::uint8_t*>(request), static_cast<unsigned long>(length), reply,
                                   static_cast<unsigned long>(expected));
  if (rc != CSerial::ErrNone) port.ReleaseMutex();
  echoed = rc == CSerial::ErrNone && lineecho::startsWithEcho({request, length}, {reply, expected});
  if (echoed) takeReplyAfterEcho(port, request, length, reply, expected);
  return rc;
}

}  // namespace

int checkedExchange(CSerial& port, const std::uint8_t* request, std::size_t length,
                    std::uint8_t* reply, std::size_t expected) {
  if (!request || !reply || length == 0 || expected == 0) return protocol::kExchangeFailed;
  // Clear the whole reply, not only its first byte: a short reply must never be checked
  // against what an earlier exchange left in the buffer.
  std::memset(reply, 0, expected);
  FrameLog* const log = activeFrameLog();
  if (log) logRequest(*log, request, length);
  // The exchange and what may follow it on the line (an echo, a late reply) are one.
  port.AcquireMutex();
  bool echoed = false;
  const auto rc = exchange(port, request, length, reply, expected, echoed);
  const auto kind = drivelink::classifyReply(request[0], {reply, expected}, expected);
  if (kind == drivelink::ReplyKind::Failed && rc != CSerial::ErrIo) discardLateReplies(port, port.ReadTimerMs());
  port.ReleaseMutex();
  if (log) {
    const std::size_t received = kind == drivelink::ReplyKind::Refused ? 1 : receivedLength(reply, expected);
    logReply(*log, request, length, echoed, outcomeOf(kind, rc, received, expected), {reply, received});
  }
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
  FrameLog* const log = activeFrameLog();
  if (log) logRequest(*log, request, length);
  port.AcquireMutex();
  bool echoed = false;
  const auto rc = exchange(port, request, length, reply, capacity, echoed);
  if (rc != CSerial::ErrNone && rc != CSerial::ErrIo) discardLateReplies(port, port.ReadTimerMs());
  port.ReleaseMutex();
  if (log)
    logReply(*log, request, length, echoed, rc == CSerial::ErrNone ? FrameOutcome::Reply : FrameOutcome::Timeout,
             {reply, rc == CSerial::ErrNone ? capacity : 0});
  return rc == CSerial::ErrNone ? 0 : 1;
}

int exchangeRead(CSerial& port, const Frame& request) {
  std::uint8_t reply[protocol::kReadReplyLength];
  if (checkedExchange(port, request, reply, sizeof reply) != protocol::kExchangeData) return -1;
  return drivelink::hexValue16(&reply[1]);
}

}  // namespace zavo
