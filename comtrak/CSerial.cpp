#include "comtrak/CSerial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

// Frames end when the line has been quiet this long. USB serial adapters deliver bytes in
// bursts up to 16 ms apart, so the gap never goes below that, whatever the baud rate.
constexpr int kGapFloorMs = 20;
constexpr int kGapCharacters = 4;
constexpr int kWriteSlackMs = 2000;

speed_t speedOf(unsigned long baud) {
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return 0;
  }
}

int msLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

// Milliseconds a character of 11 bits (the widest framing) takes on the line, rounded up.
int charMs(unsigned long baud) {
  if (baud == 0) return 1;
  return static_cast<int>((11000 + baud - 1) / baud);
}

// The time `characters` of 11 bits take on the line.
std::chrono::microseconds wireTime(unsigned long characters, unsigned long baud) {
  if (baud == 0) return {};
  return std::chrono::microseconds(characters * 11ull * 1000000ull / baud);
}

}  // namespace

CSerial::CSerial() = default;

CSerial::~CSerial() { CSerial::Close(); }

long CSerial::Open(const char* device, unsigned long baud, unsigned long readTimerMs,
                   unsigned long inQueue, unsigned long outQueue) {
  const long rc = Open(device, baud, inQueue, outQueue);
  if (rc == 0 && readTimerMs > 0) readTimerMs_ = static_cast<int>(std::min(readTimerMs, 60000ul));
  return rc;
}

long CSerial::Open(const char* device, unsigned long baud, unsigned long, unsigned long) {
  if (fd_.load() >= 0) return kAlreadyOpen;
  if (!device || !*device) return ENOENT;
  std::string path(device);
  if (path.rfind("\\\\.\\", 0) == 0) path.erase(0, 4);

  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno ? errno : EIO;
  // Exclusive use: a port another program of ours holds is reported busy, as the probe of
  // the port list expects.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return EBUSY;
  }
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) {
    const int e = errno;
    ::close(fd);
    return e ? e : ENOTTY;
  }
  ::ioctl(fd, TIOCEXCL);
  fd_ = fd;
  device_ = path;
  baud_ = speedOf(baud) ? baud : 19200;
  data_ = EData8;
  parity_ = EParNone;
  stop_ = EStop1;
  if (const long rc = applyLine(); rc != 0) {
    fd_ = -1;
    ::close(fd);
    return rc;
  }
  ::tcflush(fd, TCIOFLUSH);
  return 0;
}

long CSerial::Close() {
  const int fd = fd_.load();
  if (fd < 0) return 0;
  // Let an exchange in progress on another thread finish before the descriptor goes away;
  // a mutex left owned by a faulty caller must not keep the port open for ever.
  const bool locked = mutex_.tryLockFor(std::chrono::milliseconds(readTimerMs_.load() + 1000));
  fd_ = -1;
  // The exclusive mode belongs to the terminal, not to this descriptor: left set, it would
  // keep the device closed to everyone else (a pseudo-terminal keeps it while its other side
  // lives).
  ::ioctl(fd, TIOCNXCL);
  ::flock(fd, LOCK_UN);
  ::close(fd);
  device_.clear();
  if (locked) mutex_.release();
  return 0;
}

long CSerial::applyLine() {
  const int fd = fd_.load();
  if (fd < 0) return ErrNotOpen;
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return errno;
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
  tio.c_cflag |= (data_ == EData7) ? CS7 : CS8;
  if (parity_ != EParNone) tio.c_cflag |= PARENB | (parity_ == EParOdd ? static_cast<tcflag_t>(PARODD) : tcflag_t{0});
  if (stop_ == EStop2) tio.c_cflag |= CSTOPB;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  const speed_t sp = speedOf(baud_);
  ::cfsetispeed(&tio, sp);
  ::cfsetospeed(&tio, sp);
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return errno;
  gapMs_ = std::max(kGapFloorMs, kGapCharacters * charMs(baud_));
  return 0;
}

long CSerial::Setup(EBaudrate baud, EDataBits data, EParity parity, EStopBits stop) {
  if (!speedOf(baud)) return EINVAL;
  baud_ = baud;
  data_ = (data == EData7) ? EData7 : EData8;
  parity_ = parity;
  stop_ = stop;
  return applyLine();
}

long CSerial::SetupReadTimeouts(EReadTimeout) { return IsOpen() ? 0L : static_cast<long>(ErrNotOpen); }

long CSerial::SetupHandshaking(EHandshake handshake) {
  const int fd = fd_.load();
  if (fd < 0) return ErrNotOpen;
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return errno;
  tio.c_cflag &= ~CRTSCTS;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (handshake == EHandshakeHardware) tio.c_cflag |= CRTSCTS;
  if (handshake == EHandshakeSoftware) tio.c_iflag |= IXON | IXOFF;
  return ::tcsetattr(fd, TCSANOW, &tio) == 0 ? 0 : errno;
}

long CSerial::SetupReadTimer(int, int ms) {
  readTimerMs_ = std::clamp(ms, 1, 60000);
  return 0;
}

void CSerial::PurgeInput() {
  const int fd = fd_.load();
  if (fd >= 0) ::tcflush(fd, TCIFLUSH);
}

bool CSerial::ReleaseMutex() { return mutex_.release(); }

// Waits up to `timeoutMs` for input and reads at most `want` bytes of it. A quiet line is
// success with got = 0; a hang-up or a device error is ErrIo.
long CSerial::readSome(unsigned char* out, unsigned long want, int timeoutMs, unsigned long& got) {
  got = 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const int fd = fd_.load();
    if (fd < 0) return ErrNotOpen;
    pollfd p{fd, POLLIN, 0};
    const int n = ::poll(&p, 1, msLeft(deadline));
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrIo;
    }
    if (n == 0) return ErrNone;
    if (p.revents & POLLNVAL) return ErrIo;
    const ssize_t r = ::read(fd, out, want);
    if (r > 0) {
      got = static_cast<unsigned long>(r);
      return ErrNone;
    }
    if (r == 0) return ErrIo;  // end of file: the other side is gone
    if (errno == EINTR || errno == EAGAIN) {
      if (p.revents & (POLLHUP | POLLERR)) return ErrIo;
      if (msLeft(deadline) == 0) return ErrNone;
      continue;
    }
    return ErrIo;
  }
}

long CSerial::Write(const void* data, unsigned int size, unsigned long* written, void*,
                    unsigned long timeoutMs) {
  if (written) *written = 0;
  if (!data) return ErrArgs;
  const int limit = timeoutMs == kInfinite
                        ? kWriteSlackMs + static_cast<int>(size) * charMs(baud_)
                        : static_cast<int>(std::min(timeoutMs, 600000ul));
  const auto deadline = Clock::now() + std::chrono::milliseconds(limit);
  const auto* bytes = static_cast<const unsigned char*>(data);
  unsigned long done = 0;
  while (done < size) {
    const int fd = fd_.load();
    if (fd < 0) return ErrNotOpen;
    const ssize_t w = ::write(fd, bytes + done, size - done);
    if (w > 0) {
      done += static_cast<unsigned long>(w);
      continue;
    }
    if (w < 0 && errno != EAGAIN && errno != EINTR) return ErrIo;
    pollfd p{fd, POLLOUT, 0};
    const int n = ::poll(&p, 1, msLeft(deadline));
    if (n == 0) break;
    if (n < 0 && errno != EINTR) return ErrIo;
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return ErrIo;
  }
  if (written) *written = done;
  return done == size ? ErrNone : ErrTimeout;
}

long CSerial::Read(void* data, unsigned int size, unsigned long* received, void*,
                   unsigned long timeoutMs) {
  if (received) *received = 0;
  if (!data || size == 0) return ErrArgs;
  if (fd_.load() < 0) return ErrNotOpen;
  auto* out = static_cast<unsigned char*>(data);
  const int first = timeoutMs == kInfinite ? readTimerMs_.load()
                                           : static_cast<int>(std::min(timeoutMs, 600000ul));
  unsigned long got = 0;
  unsigned long n = 0;
  long rc = readSome(out, size, first, n);
  got += n;
  while (rc == ErrNone && n > 0 && got < size) {
    rc = readSome(out + got, size - got, gapMs_.load(), n);
    got += n;
  }
  if (received) *received = got;
  return rc;
}

CSerial::ErrType CSerial::CommandSend(unsigned char* request, unsigned long length,
                                      unsigned char* reply, unsigned long expected) {
  mutex_.lock();
  if (!request || !reply || length == 0 || expected == 0) return ErrArgs;
  const int fd = fd_.load();
  if (fd < 0) return ErrNotOpen;
  ::tcflush(fd, TCIFLUSH);
  const auto timer = readTimerMs_.load();
  if (const long w = Write(request, static_cast<unsigned int>(length), nullptr, nullptr,
                           static_cast<unsigned long>(timer));
      w != ErrNone)
    return w == ErrIo ? ErrIo : ErrWrite;
  // The read timer bounds the drive's silence; a long reply (a trace block of 1472
  // characters takes 0.77 s at 19200 baud) also gets the time the line needs to carry it.
  const auto deadline = Clock::now() + std::chrono::milliseconds(timer) + wireTime(expected, baud_);
  unsigned long got = 0;
  while (got < expected) {
    const int left = msLeft(deadline);
    if (left == 0) return ErrTimeout;
    unsigned long n = 0;
    if (readSome(reply + got, expected - got, left, n) != ErrNone) return ErrIo;
    got += n;
    if (got >= 1 && reply[0] == '!') break;  // a refusal is one byte, complete as it stands
  }
  mutex_.release();
  return ErrNone;
}

std::vector<CSerial::TcpIpDevice> CSerial::SearchTcpIp() { return {}; }
