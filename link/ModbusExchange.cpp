#include "link/ModbusExchange.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "link/FrameDecoding.h"
#include "link/FrameLog.h"
#include "link/LateReplies.h"
#include "link/LineEcho.h"
#include "link/ModbusCodec.h"
#include "link/Protocol.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::modbus {
namespace {

// Holds the port's exchange mutex for one hand-made exchange, so a Modbus exchange never
// interleaves with a CommandSend of the worker thread.
class ExchangeLock {
 public:
  explicit ExchangeLock(CSerial& port) : port_(port) { port_.AcquireMutex(); }
  ~ExchangeLock() { port_.ReleaseMutex(); }
  ExchangeLock(const ExchangeLock&) = delete;
  ExchangeLock& operator=(const ExchangeLock&) = delete;

 private:
  CSerial& port_;
};

FrameProtocol protocolOf(bool ascii) { return ascii ? FrameProtocol::ModbusAscii : FrameProtocol::ModbusRtu; }

void logRequest(const Frame& request, bool ascii) {
  if (FrameLog* log = activeFrameLog())
    log->add(FrameDirection::Sent, protocolOf(ascii), FrameOutcome::Sent, request.view(),
             framedecoding::modbusRequest(request.view(), ascii, driveContext().driveType));
}

void logReply(const Frame& request, bool ascii, bool echoed, int rc, std::span<const std::uint8_t> reply) {
  FrameLog* log = activeFrameLog();
  if (!log) return;
  if (echoed) log->add(FrameDirection::Received, protocolOf(ascii), FrameOutcome::Echo, request.view(), {});
  const FrameOutcome outcome = rc == protocol::kModbusNormal      ? FrameOutcome::Reply
                               : rc == protocol::kModbusException ? FrameOutcome::Refused
                               : rc == protocol::kModbusCorrupt   ? FrameOutcome::BadChecksum
                                                                  : FrameOutcome::Timeout;
  log->add(FrameDirection::Received, protocolOf(ascii), outcome, reply,
           rc >= protocol::kModbusNormal ? framedecoding::modbusReply(reply, ascii) : std::string());
}

bool isWrite(const Frame& request, bool ascii) {
  if (ascii) return request.size > 4 && request.bytes[3] == '0' && request.bytes[4] == '6';
  return request.size > 1 && request.bytes[1] == protocol::kModbusWriteSingle;
}

// What arrived (`got` bytes in `reply`) may begin with the request given back by the line.
// A write's reply is the request itself, so its echo is only looked for on a line known to
// echo; when no second copy follows, the first one was the reply. Returns the reply's length
// with the echo taken out, or -1 when the line is gone.
long takeOutEcho(CSerial& port, const Frame& request, bool ascii, std::uint8_t* reply, std::size_t capacity,
                 std::size_t got, unsigned long timeoutMs, bool& echoed) {
  echoed = false;
  if (!lineecho::startsWithEcho(request.view(), {reply, got})) {
    if (got > 0) lineecho::remember(port, false);
    return static_cast<long>(got);
  }
  const bool ambiguous = got >= request.size;
  if (ambiguous && (!isWrite(request, ascii) || !lineecho::echoes(port))) return static_cast<long>(got);
  std::vector<std::uint8_t> line(request.size + capacity);
  std::copy(reply, reply + got, line.begin());
  const long all = lineecho::readOn(port, line, got, request.size, timeoutMs);
  if (all < 0) return -1;
  if (ambiguous && all == static_cast<long>(got)) {
    lineecho::remember(port, false);
    return all;
  }
  echoed = true;
  lineecho::remember(port, true);
  const long rest = std::max(0L, all - static_cast<long>(request.size));
  std::copy(line.begin() + static_cast<long>(request.size), line.begin() + static_cast<long>(request.size) + rest, reply);
  return rest;
}

}  // namespace

int rtuExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t capacity,
                unsigned long timeoutMs, std::size_t* received) {
  if (received) *received = 0;
  if (!reply || capacity == 0) return 0;
  ExchangeLock lock(port);
  // A late reply to an earlier request must not be taken for this one.
  port.PurgeInput();
  logRequest(request, false);
  if (port.Write(request.data(), static_cast<unsigned int>(request.size), nullptr, nullptr, timeoutMs) != 0) {
    logReply(request, false, false, 0, {});
    return 0;
  }
  unsigned long first = 0;
  if (port.Read(reply, static_cast<unsigned int>(capacity), &first, nullptr, timeoutMs) != 0) {
    logReply(request, false, false, 0, {});
    return 0;
  }
  bool echoed = false;
  const long got = takeOutEcho(port, request, false, reply, capacity, first, timeoutMs, echoed);
  const auto n = static_cast<std::size_t>(std::max(0L, got));
  const int rc = got < 0 ? 0 : checkRtuReply({reply, n});
  if (received) *received = n;
  if (got >= 0 && (rc == 0 || rc == protocol::kModbusCorrupt)) discardLateReplies(port, static_cast<int>(timeoutMs));
  logReply(request, false, echoed, rc, {reply, n});
  return rc;
}

int asciiExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t capacity,
                  int tries, std::size_t* received) {
  if (received) *received = 0;
  if (!reply || capacity == 0) return 0;
  ExchangeLock lock(port);
  for (int attempt = 0; attempt < tries; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(protocol::kModbusAsciiTryPauseMs));
    port.PurgeInput();
    reply[0] = 0;
    logRequest(request, true);
    if (port.Write(request.data(), static_cast<unsigned int>(request.size), nullptr, nullptr,
                   protocol::kModbusAsciiWriteTimeoutMs) != 0) {
      logReply(request, true, false, 0, {});
      continue;
    }
    unsigned long first = 0;
    port.Read(reply, static_cast<unsigned int>(capacity), &first, nullptr, CSerial::kInfinite);
    bool echoed = false;
    const long got = takeOutEcho(port, request, true, reply, capacity, first,
                                 static_cast<unsigned long>(port.ReadTimerMs()), echoed);
    const auto n = static_cast<std::size_t>(std::max(0L, got));
    if (n >= 1 && reply[0] == protocol::kModbusAsciiStart) {
      if (received) *received = n;
      const int rc = checkAsciiReply({reply, n});
      if (rc == protocol::kModbusCorrupt) discardLateReplies(port, port.ReadTimerMs());
      logReply(request, true, echoed, rc, {reply, n});
      return rc;
    }
    logReply(request, true, echoed, 0, {reply, n});
    if (got >= 0) discardLateReplies(port, port.ReadTimerMs());
  }
  return 0;
}

}  // namespace zavo::modbus
