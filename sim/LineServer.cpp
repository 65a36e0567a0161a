#include "sim/LineServer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "sim/SimConstants.h"

namespace zavo::sim {
namespace {

constexpr int kIdlePollMs = 100;
// With no program on the slave side the master reports a hang-up at once; the loop then
// naps rather than spins until someone opens the port.
constexpr int kNoPeerNapMs = 5;
constexpr std::size_t kReadChunk = 4096;

int msUntil(LineServer::Clock::time_point t, LineServer::Clock::time_point now) {
  if (t <= now) return 0;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t - now).count();
  return static_cast<int>(std::min<long long>(ms + 1, kIdlePollMs));
}

RequestFramer::Clock::duration silenceOf(const LinePacer& pacer) {
  const auto chars = std::chrono::duration_cast<RequestFramer::Clock::duration>(pacer.characterTime() * kRtuSilenceCharacters);
  return std::max<RequestFramer::Clock::duration>(chars, kMinRtuSilence);
}

RequestFramer::Clock::duration staleOf(const LinePacer& pacer) {
  return std::max<RequestFramer::Clock::duration>(pacer.characterTime() * kStaleCharacters, kMinStaleAfter);
}

LinePacer pacerOf(const SimOptions& o) {
  return LinePacer(o.pace, o.baud, o.bitsPerCharacter(), o.turnaroundMs);
}

}  // namespace

LineServer::LineServer(const SimOptions& options, DriveBus& drives, RequestLog& log)
    : options_(options),
      drives_(drives),
      log_(log),
      framer_(options.line, options.station, silenceOf(pacerOf(options)), staleOf(pacerOf(options))),
      pacer_(pacerOf(options)),
      start_(Clock::now()),
      faults_(options.faults, options.seed) {
  if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) wake_[0] = wake_[1] = -1;
  framer_.serveStations(drives_.stations());
}

LineServer::~LineServer() {
  close();
  for (const int fd : wake_)
    if (fd >= 0) ::close(fd);
}

bool LineServer::open(std::string* error) {
  if (wake_[0] < 0) {
    if (error) *error = std::string("cannot create the wake pipe: ") + std::strerror(errno);
    return false;
  }
  // A drive stopped earlier starts over on a new line.
  stop_ = false;
  unplugAt_.reset();
  replugAt_.reset();
  start_ = Clock::now();
  return plugIn(error);
}

bool LineServer::plugIn(std::string* error) {
  {
    std::lock_guard lk(m_);
    if (!pty_.open(options_.linkPath, error)) return false;
    ++plugs_;
  }
  framer_.clear();
  unplugged_ = false;
  return true;
}

void LineServer::unplug() {
  {
    std::lock_guard lk(m_);
    pty_.close();
  }
  unplugged_ = true;
  unplugAt_.reset();
  const int replugMs = faultPlan().replugMs;
  if (replugMs >= 0) replugAt_ = Clock::now() + std::chrono::milliseconds(replugMs);
  notify("");
}

void LineServer::close() {
  std::lock_guard lk(m_);
  pty_.close();
}

void LineServer::stop() {
  stop_ = true;
  if (wake_[1] >= 0) (void)!::write(wake_[1], "x", 1);
}

std::string LineServer::portPath() const {
  std::lock_guard lk(m_);
  return pty_.slavePath();
}

int LineServer::plugCount() const {
  std::lock_guard lk(m_);
  return plugs_;
}

void LineServer::onPortChanged(std::function<void(const std::string&)> callback) {
  std::lock_guard lk(m_);
  portChanged_ = std::move(callback);
}

void LineServer::afterRequest(std::function<void()> callback) {
  std::lock_guard lk(m_);
  afterRequest_ = std::move(callback);
}

void LineServer::setFaults(const FaultPlan& faults) {
  std::lock_guard lk(m_);
  faults_ = FaultInjector(faults, options_.seed);
  served_ = 0;  // an unplug counts from the new faults on
}

FaultPlan LineServer::faultPlan() const {
  std::lock_guard lk(m_);
  return faults_.plan();
}

void LineServer::notify(const std::string& path) {
  std::function<void(const std::string&)> callback;
  {
    std::lock_guard lk(m_);
    callback = portChanged_;
  }
  if (callback) callback(path);
}

bool LineServer::sleepFor(int timeoutMs) {
  pollfd p{wake_[0], POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return false;
  char drain[64];
  while (::read(wake_[0], drain, sizeof drain) > 0) {
  }
  return true;
}

bool LineServer::waitOrStop(Clock::time_point until) {
  // Long waits (a delay fault) stay interruptible; the last stretch is left to the pacer's
  // precise wait.
  constexpr auto kPreciseStretch = std::chrono::milliseconds(2);
  for (auto now = Clock::now(); !stop_ && until - now > kPreciseStretch; now = Clock::now())
    sleepFor(msUntil(until - kPreciseStretch, now));
  return !stop_;
}

int LineServer::pollTimeoutMs(Clock::time_point now) const {
  int timeout = kIdlePollMs;
  if (const auto d = framer_.deadline()) timeout = std::min(timeout, msUntil(*d, now));
  if (unplugAt_) timeout = std::min(timeout, msUntil(*unplugAt_, now));
  return timeout;
}

void LineServer::run() {
  while (!stop_) {
    if (unplugged_) {
      if (!replugAt_) {
        sleepFor(kIdlePollMs);
        continue;
      }
      const auto now = Clock::now();
      if (now < *replugAt_) {
        sleepFor(msUntil(*replugAt_, now));
        continue;
      }
      std::string error;
      if (plugIn(&error)) {
        replugAt_.reset();
        notify(portPath());
      } else {
        replugAt_ = now + std::chrono::milliseconds(std::max(faultPlan().replugMs, kNoPeerNapMs));
      }
      continue;
    }
    const int master = pty_.master();
    pollfd p[2] = {{master, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    const int n = ::poll(p, 2, pollTimeoutMs(Clock::now()));
    if (n < 0 && errno != EINTR) break;
    if (p[1].revents & POLLIN) {
      sleepFor(0);
      continue;
    }
    const auto now = Clock::now();
    bool fresh = false;
    if (p[0].revents & POLLIN) {
      const std::size_t before = framer_.pending();
      readLine(now);
      fresh = framer_.pending() != before;
    } else if (p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      sleepFor(kNoPeerNapMs);
    }
    // The plug comes out when its time is up, or as soon as the program says anything more:
    // the request after the last one never gets an answer.
    if (unplugAt_ && (fresh || Clock::now() >= *unplugAt_)) {
      unplug();
      continue;
    }
    while (!stop_ && !unplugAt_) {
      auto request = framer_.next(Clock::now());
      if (!request) break;
      handle(*request);
    }
  }
}

void LineServer::readLine(Clock::time_point now) {
  std::uint8_t chunk[kReadChunk];
  const ssize_t n = ::read(pty_.master(), chunk, sizeof chunk);
  if (n > 0) framer_.feed(chunk, static_cast<std::size_t>(n), now);
}

Bytes LineServer::applyFaults(const RequestFramer::Request& request, Answer& answer, FaultDecision& d) {
  {
    std::lock_guard lk(m_);
    d = faults_.next();
  }
  if (!answer.replied) return {};
  if (d.drop) {
    answer.replied = false;
    return {};
  }
  Bytes reply = d.refuse ? drives_.refusal(request) : answer.reply;
  if (d.corrupt && !reply.empty()) {
    // Modbus ASCII frames end in CR LF, which no check of the program looks at: a flip there
    // would be no corruption at all.
    const std::size_t tail = request.protocol == LineProtocol::ModbusAscii && reply.size() > 2 ? 2 : 0;
    reply[d.corruptPick % (reply.size() - tail)] ^= d.corruptMask;
  }
  if (!d.garbage.empty()) reply.insert(reply.begin(), d.garbage.begin(), d.garbage.end());
  return reply;
}

void LineServer::handle(const RequestFramer::Request& request) {
  const auto arrived = pacer_.arrival(request.firstByte, request.bytes.size());
  LinePacer::waitUntil(arrived);
  const double ms = std::chrono::duration<double, std::milli>(arrived - start_).count();

  // Drives bound to a rate hear only a program that talks at it.
  const long lineBaud = drives_.anyBaudBound() ? pty_.lineBaud() : 0;
  Answer answer = drives_.answer(request, ms, lineBaud);
  FaultDecision faults;
  const Bytes reply = applyFaults(request, answer, faults);
  // The echo comes back while the request is still on the line: all of it is there by now.
  if (faults.echo) pacer_.send(pty_.master(), request.bytes, Clock::time_point{});
  // Logged and saved before the reply leaves: whoever holds the reply may look at both.
  log_.add(LogEntry{ms, request.protocol, answer.kind, request.bytes, answer.replied, answer.replied ? reply : Bytes{}});
  std::function<void()> after;
  {
    std::lock_guard lk(m_);
    after = afterRequest_;
  }
  if (after) after();
  if (answer.replied) {
    auto start = arrived + std::chrono::milliseconds(faults.delayMs);
    if (pacer_.enabled()) start += pacer_.turnaround();
    if (waitOrStop(start)) pacer_.send(pty_.master(), reply, start);
  }
  bool unplugDue = false;
  {
    std::lock_guard lk(m_);
    const int unplugAfter = faults_.plan().unplugAfter;
    unplugDue = unplugAfter > 0 && ++served_ == unplugAfter;
  }
  if (unplugDue) unplugAt_ = Clock::now() + kUnplugGrace;
}

}  // namespace zavo::sim
