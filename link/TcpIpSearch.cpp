#include "link/TcpIpSearch.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

namespace zavo {
namespace {

constexpr unsigned char kQuery[4] = {0x00, 0x00, 0x00, 0xF6};
constexpr unsigned char kAnswerMark = 0xF7;
constexpr std::size_t kMacOffset = 4;
constexpr std::size_t kMaxDatagram = 1024;

class Socket {
 public:
  Socket() : fd_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::vector<CSerial::TcpIpDevice> searchTcpIp(const std::string& address, unsigned short port,
                                              int timeoutMs, unsigned short localPort) {
  std::vector<CSerial::TcpIpDevice> found;
  Socket s;
  if (s.fd() < 0) return found;
  const int on = 1;
  ::setsockopt(s.fd(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  ::setsockopt(s.fd(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(localPort);
  if (::bind(s.fd(), reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) return found;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  if (::inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1) return found;
  if (::sendto(s.fd(), kQuery, sizeof kQuery, 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0)
    return found;
  for (;;) {
    pollfd p{s.fd(), POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) break;
    unsigned char buf[kMaxDatagram];
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    const ssize_t n = ::recvfrom(s.fd(), buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (n < 0) break;
    if (n < static_cast<ssize_t>(kMacOffset + 6) || buf[3] != kAnswerMark) continue;
    char ip[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &from.sin_addr, ip, sizeof ip);
    char mac[18];
    const unsigned char* m = buf + kMacOffset;
    std::snprintf(mac, sizeof mac, "%.2x-%.2x-%.2x-%.2x-%.2x-%.2x", m[0], m[1], m[2], m[3], m[4], m[5]);
    found.push_back({ip, mac});
  }
  return found;
}

}  // namespace zavo
