#include "tests/sim/SimLink.h"

#include <cstdio>
#include <stdexcept>

#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "link/Protocol.h"

namespace zavo::sim::test {

std::string textOf(const Bytes& b) { return std::string(b.begin(), b.end()); }
Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

Frame driveLinkFrame(const std::string& body) {
  Frame f;
  f.size = body.size() + 2;
  std::copy(body.begin(), body.end(), f.bytes.begin());
  drivelink::appendChecksum(f.data(), f.size);
  return f;
}

std::string dataReplyText(int value) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%%%04X", value & 0xFFFF);
  unsigned sum = 0;
  for (const char* p = digits; *p; ++p) sum += static_cast<unsigned char>(*p);
  char text[16];
  std::snprintf(text, sizeof text, "%s%02X", digits, sum & 0xFF);
  return text;
}

SimLink::SimLink(SimOptions options) : drive(std::move(options)) {
  std::string error;
  if (!drive.start(&error)) throw std::runtime_error("virtual drive: " + error);
  if (!openPort()) throw std::runtime_error("cannot open " + drive.portPath());
  linkState().connected = 1;
}

SimLink::~SimLink() {
  port.Close();
  drive.stop();
}

bool SimLink::openPort() {
  port.Close();
  if (port.Open(drive.portPath().c_str(), static_cast<unsigned long>(drive.options().baud), kReadTimerMs, 2048, 2048) != 0)
    return false;
  port.SetupReadTimer(static_cast<int>(drive.options().baud), kReadTimerMs);
  return true;
}

std::optional<Bytes> SimLink::exchange(const Frame& request, std::size_t expected) {
  Bytes reply(expected, 0);
  Frame copy = request;
  const auto rc = port.CommandSend(copy.data(), static_cast<unsigned long>(copy.size), reply.data(),
                                   static_cast<unsigned long>(expected));
  if (rc != CSerial::ErrNone) {
    port.ReleaseMutex();
    return std::nullopt;
  }
  if (!reply.empty() && reply[0] == protocol::kReplyRefused) reply.resize(1);
  return reply;
}

Bytes SimLink::sendAndCollect(const Frame& request) {
  port.PurgeInput();
  if (port.Write(request.data(), static_cast<unsigned int>(request.size)) != 0) return {};
  Bytes reply(256, 0);
  unsigned long got = 0;
  port.Read(reply.data(), static_cast<unsigned int>(reply.size()), &got, nullptr, kReadTimerMs);
  reply.resize(got);
  return reply;
}

int SimLink::read(int page, int address) {
  linkState().connected = 1;
  return exchangeRead(port, drivelink::readRequest(page, address));
}

bool SimLink::write(int page, int address, int value) {
  std::uint8_t reply[protocol::kWriteReplyLength];
  return checkedExchange(port, drivelink::writeRequest(page, address, value), reply, sizeof reply) ==
         protocol::kExchangeWriteAck;
}

bool SimLink::store(int linear, int value) {
  const auto& w = protocol::windowOf(drive.options().driveType);
  return write(protocol::kPage5, w.writeAddress, linear) && write(protocol::kPage5, w.writeData, value) &&
         write(protocol::kPage5, w.command, protocol::kWindowStore);
}

int SimLink::fetch(int linear) {
  const auto& w = protocol::windowOf(drive.options().driveType);
  if (!write(protocol::kPage5, w.readAddress, linear) || !write(protocol::kPage5, w.command, protocol::kWindowFetch))
    return -1;
  return read(protocol::kPage5, w.readData);
}

}  // namespace zavo::sim::test
