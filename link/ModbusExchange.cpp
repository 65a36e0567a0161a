#include "link/ModbusExchange.h"

#include <chrono>
#include <thread>

#include "link/LateReplies.h"
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

}  // namespace

int rtuExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t capacity,
                unsigned long timeoutMs, std::size_t* received) {
  if (received) *received = 0;
  if (!reply || capacity == 0) return 0;
  ExchangeLock lock(port);
  // A late reply to an earlier request must not be taken for this one.
  port.PurgeInput();
  if (port.Write(request.data(), static_cast<unsigned int>(request.size), nullptr, nullptr, timeoutMs) != 0)
    return 0;
  unsigned long got = 0;
  if (port.Read(reply, static_cast<unsigned int>(capacity), &got, nullptr, timeoutMs) != 0) return 0;
  if (received) *received = got;
  const int rc = checkRtuReply({reply, got});
  if (rc == 0 || rc == protocol::kModbusCorrupt) discardLateReplies(port, static_cast<int>(timeoutMs));
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
    if (port.Write(request.data(), static_cast<unsigned int>(request.size), nullptr, nullptr,
                   protocol::kModbusAsciiWriteTimeoutMs) != 0)
      continue;
    unsigned long got = 0;
    port.Read(reply, static_cast<unsigned int>(capacity), &got, nullptr, CSerial::kInfinite);
    if (got >= 1 && reply[0] == protocol::kModbusAsciiStart) {
      if (received) *received = got;
      const int rc = checkAsciiReply({reply, got});
      if (rc == protocol::kModbusCorrupt) discardLateReplies(port, port.ReadTimerMs());
      return rc;
    }
    discardLateReplies(port, port.ReadTimerMs());
  }
  return 0;
}

}  // namespace zavo::modbus
