#pragma once
// A virtual drive on a pty, the program's port opened on it and the link marked up, with the
// view's trace exchange, the arming and the messages the worker posts.

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/DriveLinkCodec.h"
#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"
#include "tests/support/RecordingPrompt.h"
#include "trace/TraceArming.h"

namespace zavo::trace::test {

// Options of a drive that keeps line time, for tests that need a block read to take a while.
inline sim::SimOptions pacedAt(long baud) {
  sim::SimOptions o;
  o.pace = true;
  o.baud = baud;
  return o;
}

class CaptureFixture {
 public:
  explicit CaptureFixture(sim::SimOptions options = {}) : drive(options) {
    driveContext().reset(options.driveType);
    linkState().reset();
    std::string error;
    EXPECT_TRUE(drive.start(&error)) << error;
    const auto baud = static_cast<unsigned long>(options.baud);
    EXPECT_EQ(port.Open(drive.portPath().c_str(), baud, 500, 20000, 20000), 0);
    port.SetupReadTimer(static_cast<int>(baud), 300);
    linkState().connected = 1;
  }
  ~CaptureFixture() {
    arming.stop();
    port.Close();
    drive.stop();
    linkState().reset();
  }

  PostMessageFn post() {
    return [this](WorkerMessage m) {
      std::lock_guard lk(m_);
      posted_.push_back(std::move(m));
    };
  }
  std::vector<std::string> postedTexts() const {
    std::lock_guard lk(m_);
    std::vector<std::string> t;
    for (const auto& m : posted_) t.push_back(m.text);
    return t;
  }

  // Arms the drive and starts the worker, as START and timer 1120 do.
  bool begin(const TraceSettings& s) {
    if (!arming.start(s)) {
      for (const auto& t : prompt.texts()) ADD_FAILURE() << "arming: " << t;
      return false;
    }
    arming.startWorker(s, post());
    return true;
  }
  // Waits until `done` holds or the worker has ended (at most `limit`).
  template <class Pred>
  bool waitFor(Pred done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  }
  bool waitForEnd() {
    return waitFor([this] { return !arming.workerActive(); });
  }
  // The request texts the drive received, from the log.
  std::vector<std::string> requests() const {
    std::vector<std::string> r;
    for (const auto& e : drive.requestLog()) r.emplace_back(e.request.begin(), e.request.end());
    return r;
  }

  zavo::test::RecordingPrompt prompt;
  sim::VirtualDrive drive;
  CSerial port;
  LinkFlags flags;
  TraceExchange exchange;
  TraceArming arming{port, exchange, flags};

 private:
  mutable std::mutex m_;
  std::vector<WorkerMessage> posted_;
};

// A DriveLink frame from its text without the checksum.
inline std::string framed(const std::string& body) {
  std::string f = body + "00";
  drivelink::appendChecksum(reinterpret_cast<std::uint8_t*>(f.data()), f.size());
  return f;
}

}  // namespace zavo::trace::test
