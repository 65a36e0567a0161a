#include "tests/support/PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include "link/DriveLinkCodec.h"

namespace zavo::test {

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
std::string textOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

PtyPeer::PtyPeer(Framing framing) : framing_(framing) {
  const int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (m < 0 || ::grantpt(m) != 0 || ::unlockpt(m) != 0) throw std::runtime_error("posix_openpt failed");
  char name[128];
  if (::ptsname_r(m, name, sizeof name) != 0) throw std::runtime_error("ptsname failed");
  slavePath_ = name;
  // Hold the slave open so the master never sees a hang-up between the program's opens, and
  // make the line raw before anyone writes to it.
  slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios tio{};
  ::tcgetattr(slaveKeeper_, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(slaveKeeper_, TCSANOW, &tio);
  master_ = m;
}

PtyPeer::~PtyPeer() {
  stop();
  hangUp();
  if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
}

void PtyPeer::serve(Responder responder) {
  responder_ = std::move(responder);
  stop_ = false;
  thread_ = std::thread([this] { run(); });
}

void PtyPeer::stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void PtyPeer::hangUp() {
  const int m = master_.exchange(-1);
  if (m >= 0) ::close(m);
  // With the keeper closed too, the program's side of the line reports a hang-up.
  if (slaveKeeper_ >= 0) {
    ::close(slaveKeeper_);
    slaveKeeper_ = -1;
  }
}

void PtyPeer::inject(const Bytes& bytes) {
  const int m = master_.load();
  if (m >= 0 && !bytes.empty()) (void)!::write(m, bytes.data(), bytes.size());
}

std::vector<Bytes> PtyPeer::requests() const {
  std::lock_guard lk(m_);
  return requests_;
}

std::size_t PtyPeer::frameLength(const Bytes& b) const {
  switch (framing_) {
    case Framing::DriveLink: return drivelink::requestLength(b);
    case Framing::ModbusAscii:
      for (std::size_t i = 0; i < b.size(); ++i)
        if (b[i] == '\n') return i + 1;
      return 0;
    case Framing::ModbusRtu: return b.size() >= 8 ? 8 : 0;
  }
  return 0;
}

void PtyPeer::run() {
  Bytes buffer;
  while (!stop_) {
    const int m = master_.load();
    if (m < 0) return;
    pollfd p{m, POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    std::uint8_t chunk[512];
    const ssize_t n = ::read(m, chunk, sizeof chunk);
    if (n <= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      continue;
    }
    buffer.insert(buffer.end(), chunk, chunk + n);
    for (;;) {
      const std::size_t len = frameLength(buffer);
      if (len == drivelink::kNotARequest) {
        buffer.erase(buffer.begin());
        continue;
      }
      if (len == 0 || buffer.size() < len) break;
      Bytes request(buffer.begin(), buffer.begin() + static_cast<long>(len));
      buffer.erase(buffer.begin(), buffer.begin() + static_cast<long>(len));
      {
        std::lock_guard lk(m_);
        requests_.push_back(request);
      }
      const PeerReply reply = responder_ ? responder_(request) : PeerReply{};
      if (reply.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
      if (!reply.bytes.empty()) (void)!::write(master_.load(), reply.bytes.data(), reply.bytes.size());
      if (reply.hangUpAfter) {
        hangUp();
        return;
      }
    }
  }
}

}  // namespace zavo::test
