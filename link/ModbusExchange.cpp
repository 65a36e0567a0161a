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
             framedecoding::modbusRequest(request.view(), ascii));
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

// One request and its reply. `readTimeoutMs` bounds the wait for the reply's first byte
// (CSerial::kInfinite: the read timer). With `settle`, a failed exchange lets the line fall
// quiet before it returns, so a late reply cannot pass for the next request's.
struct Timing {
  unsigned long writeMs;
  unsigned long readMs;
  bool settle;
};

int exchangeOnce(CSerial& port, const Frame& request, bool ascii, std::uint8_t* reply, std::size_t capacity,
                 const Timing& timing, std::size_t& received) {
  received = 0;
  // A late reply to an earlier request must not be taken for this one.
  port.PurgeInput();
  reply[0] = 0;
  logRequest(request, ascii);
  if (port.Write(request.data(), static_cast<unsigned int>(request.size), nullptr, nullptr, timing.writeMs) != 0) {
    logReply(request, ascii, false, 0, {});
    return 0;
  }
  unsigned long first = 0;
  if (port.Read(reply, static_cast<unsigned int>(capacity), &first, nullptr, timing.readMs) != 0) {
    logReply(request, ascii, false, 0, {});
    return 0;
  }
  const unsigned long echoMs = timing.readMs == CSerial::kInfinite ? static_cast<unsigned long>(port.ReadTimerMs())
                                                                   : timing.readMs;
  bool echoed = false;
  const long got = takeOutEcho(port, request, ascii, reply, capacity, first, echoMs, echoed);
  received = static_cast<std::size_t>(std::max(0L, got));
  // An ASCII reply starts with ':'; anything else is no reply at all.
  const bool started = received >= 1 && (!ascii || reply[0] == protocol::kModbusAsciiStart);
  const int rc = !started ? 0 : ascii ? checkAsciiReply({reply, received}) : checkRtuReply({reply, received});
  if (timing.settle && got >= 0 && (rc == 0 || rc == protocol::kModbusCorrupt))
    discardLateReplies(port, static_cast<int>(echoMs));
  logReply(request, ascii, echoed, rc, {reply, received});
  return rc;
}

}  // namespace

int rtuExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t capacity,
                unsigned long timeoutMs, std::size_t* received) {
  if (received) *received = 0;
  if (!reply || capacity == 0) return 0;
  ExchangeLock lock(port);
  std::size_t got = 0;
  const int rc = exchangeOnce(port, request, false, reply, capacity, {timeoutMs, timeoutMs, true}, got);
  if (received) *received = got;
  return rc;
}

int asciiExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t capacity,
                  int tries, std::size_t* received) {
  if (received) *received = 0;
  if (!reply || capacity == 0) return 0;
  ExchangeLock lock(port);
  for (int attempt = 0; attempt < tries; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(protocol::kModbusAsciiTryPauseMs));
    std::size_t got = 0;
    const int rc = exchangeOnce(port, request, true, reply, capacity,
                                {protocol::kModbusAsciiWriteTimeoutMs, CSerial::kInfinite, true}, got);
    if (got >= 1 && reply[0] == protocol::kModbusAsciiStart) {
      if (received) *received = got;
      return rc;
    }
  }
  return 0;
}

int probeExchange(CSerial& port, const Frame& request, bool ascii, std::uint8_t* reply, std::size_t capacity,
                  unsigned long timeoutMs, std::size_t* received) {
  if (received) *received = 0;
  if (!reply || capacity == 0) return 0;
  ExchangeLock lock(port);
  std::size_t got = 0;
  const int rc = exchangeOnce(port, request, ascii, reply, capacity, {timeoutMs, timeoutMs, false}, got);
  if (received) *received = got;
  return rc;
}

}  // namespace zavo::modbus
