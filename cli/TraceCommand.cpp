// zavoctl trace: a capture of the drive's trace memory through the program's own worker,
// without the trace window.

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/TraceOptions.h"
#include "cli/TraceOutput.h"
#include "params/catalogue/DriveContext.h"
#include "trace/TerminalAssignments.h"
#include "trace/TraceArming.h"
#include "trace/TraceProtocol.h"

namespace zavo::cli {
namespace {

using namespace std::chrono_literals;
using trace::TraceMode;

constexpr const char* kUsage =
    "Usage: zavoctl trace --mode single|cycle|monitor --sources S1,S2,S3,S4 [--interval N]\n"
    "                     [--trigger C --level L --edge rise|fall|both --position P]\n"
    "                     [--cycles K | --halves K | --seconds T] [--read-back] [--stream]\n"
    "                     [--out FILE.trd|FILE.csv] [options]\n"
    "Captures up to four signals with the drive's trace memory. Sources: 0 none, 1 speed command,\n"
    "2 speed feedback, 3 torque command, 4 torque feedback, 5 position deviation, 6 electrical\n"
    "angle, 7 pulse reference speed, 8 U phase current, 9 on the digital inputs, then the outputs.\n"
    "The interval is in 100 us (single, cycle: 1-1250) or 10 ms (monitor: 1-500), default 1.\n"
    "Single ends after its record, cycle after K records (default 1), monitor after K halves of\n"
    "128 records or T seconds; SIGINT stops any of them cleanly. --read-back reads the record the\n"
    "drive holds instead of starting one. --stream prints every record as 'V1 V2 V3 V4'; a\n"
    "summary line goes to standard error. --out saves the record the trace window would show at\n"
    "the end (the last 1024 points, or the 5120-point Monitor line) as a trace file or its export.";

constexpr auto kDrainPause = 10ms;
constexpr int kMonitorHalf = trace::kMonitorRecordsPerHalf;

std::atomic<bool> interrupted{false};
void stopOnInterrupt(int) { interrupted = true; }

// What the worker posts, printed by the main thread.
class PostedMessages {
 public:
  trace::PostMessageFn poster() {
    return [this](trace::WorkerMessage m) {
      std::lock_guard lk(m_);
      pending_.push_back(std::move(m.text));
    };
  }
  void print() {
    std::vector<std::string> texts;
    {
      std::lock_guard lk(m_);
      texts.swap(pending_);
    }
    for (const auto& t : texts) std::fprintf(stderr, "%s\n", t.c_str());
  }

 private:
  std::mutex m_;
  std::vector<std::string> pending_;
};

// Records wanted before the capture ends by itself (0: until stopped).
long recordsWanted(const TraceOptions& o) {
  switch (o.settings.traceMode()) {
    case TraceMode::Single: return trace::kRecordsPerCapture;
    case TraceMode::Cycle: return static_cast<long>(o.cycles) * trace::kRecordsPerCapture;
    case TraceMode::Monitor: return static_cast<long>(o.halves) * kMonitorHalf;
  }
  return 0;
}

const char* modeName(TraceMode m) {
  return m == TraceMode::Single ? "single" : m == TraceMode::Cycle ? "cycle" : "monitor";
}

class Capture {
 public:
  Capture(DriveSession& drive, const TraceOptions& o)
      : o_(o), arming_(drive.ops().port(), exchange_, drive.ops().flags()), output_(o.settings, o.readBack),
        wanted_(recordsWanted(o)) {}

  bool begin() {
    if (o_.readBack) {
      if (!arming_.readBackOn()) return false;
    } else if (!arming_.start(o_.settings)) {
      return false;
    }
    arming_.startWorker(o_.settings, messages_.poster());
    started_ = std::chrono::steady_clock::now();
    return true;
  }

  // Takes records until the capture is complete, the worker ends or the user interrupts.
  void run() {
    for (;;) {
      const bool ended = !arming_.workerActive();
      drain();
      messages_.print();
      if (ended || interrupted || complete()) return;
      std::this_thread::sleep_for(kDrainPause);
    }
  }

  void end() {
    if (o_.readBack)
      arming_.readBackOff();
    else
      arming_.stop();
    messages_.print();
  }

  bool failed() const { return arming_.workerOutcome() == trace::WorkerOutcome::Failed; }
  long taken() const { return taken_; }
  const TraceOutput& output() const { return output_; }
  double seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count(); }

 private:
  bool complete() const {
    if (wanted_ > 0 && taken_ >= wanted_) return true;
    return o_.seconds > 0 && seconds() >= o_.seconds;
  }

  void drain() {
    for (const auto& r : exchange_.queue.takeAll()) {
      if (wanted_ > 0 && taken_ >= wanted_) return;
      ++taken_;
      output_.take(r);
      if (o_.stream) std::printf("%d %d %d %d\n", r.values[0], r.values[1], r.values[2], r.values[3]);
    }
    if (o_.stream) std::fflush(stdout);
  }

  const TraceOptions& o_;
  trace::TraceExchange exchange_;
  trace::TraceArming arming_;
  PostedMessages messages_;
  TraceOutput output_;
  long wanted_;
  long taken_ = 0;
  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

int runTrace(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  applyDriveType(o->driveType);
  if (o->modbus) return usageError("the trace stream needs DriveLink; leave out --modbus");
  std::string error;
  if (!parseTraceOptions(o->rest, o->driveType, driveContext().ratedSpeed, error))
    return usageError("trace: " + error);
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  // The drive's own rated speed bounds a speed level: checked again before anything is armed.
  const auto options = parseTraceOptions(o->rest, o->driveType, driveContext().ratedSpeed, error);
  if (!options) return usageError("trace: " + error);

  // Digital channels in the file are named after the drive's terminal assignment.
  trace::TerminalAssignments terminals{};
  if (!options->out.empty()) trace::readTerminalAssignments(drive.ops(), terminals);

  interrupted = false;
  const auto previous = std::signal(SIGINT, stopOnInterrupt);
  Capture capture(drive, *options);
  const bool begun = capture.begin();
  if (begun) capture.run();
  capture.end();
  std::signal(SIGINT, previous);

  // The read-back itself ends without a word when the drive's record does not come.
  if (begun && options->readBack && capture.failed())
    std::fprintf(stderr, "trace: the drive's record could not be read back (is it a record of --mode %s?)\n",
                 modeName(options->settings.traceMode()));
  const auto& s = options->settings;
  std::fprintf(stderr, "trace: %ld records, %s mode, %.1f ms a sample, %.1f s%s\n", capture.taken(),
               modeName(s.traceMode()), s.sampleTimeMs(), capture.seconds(), interrupted ? ", interrupted" : "");
  if (!begun || capture.failed()) return kExitLinkFailure;
  std::string saveError;
  if (!options->out.empty() && !capture.output().save(options->out, o->driveType, terminals, saveError)) {
    std::fprintf(stderr, "trace: %s: %s\n", options->out.c_str(), saveError.c_str());
    return kExitLinkFailure;
  }
  return kExitOk;
}

const CommandRegistrar r("trace", "capture signals with the drive's trace memory", runTrace);

}  // namespace
}  // namespace zavo::cli
