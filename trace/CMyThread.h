#pragma once
// The real-time worker: the one thread besides the user interface's. Started for a capture
// the drive was armed for (or to read back the capture the drive holds), it waits for the
// drive to report a half of its trace memory full, reads the half in blocks, converts the
// records and hands them to the view's record queue; it reads once and ends, or half after
// half until it is stopped.
//
// It never shows a message: what it has to tell goes to `post`, which must hand the message
// to the user-interface thread and return at once. After an error it posts, ends, and leaves
// the link marked disconnected. stop() asks it to end and joins it; it ends at its next poll
// or between two blocks.

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "comtrak/CSerial.h"
#include "platform/Prompt.h"
#include "trace/StopEvent.h"
#include "trace/TraceExchange.h"
#include "trace/TraceMemoryReader.h"
#include "trace/TraceScaling.h"
#include "trace/TraceSettings.h"

namespace zavo::trace {

struct WorkerMessage {
  std::string text;
  PromptIcon icon = PromptIcon::None;
  friend bool operator==(const WorkerMessage&, const WorkerMessage&) = default;
};
using PostMessageFn = std::function<void(WorkerMessage)>;

// What the worker needs to know of the capture, taken when it starts.
struct WorkerSetup {
  TraceMode mode = TraceMode::Single;
  bool triggered = false;
  std::array<int, kChannelCount> sources{};  // as armed (33 for data 4 beside the deviation)
  TraceScaling scaling;
  bool readBack = false;

  // For `s`, with S and F of the drive as last read.
  static WorkerSetup of(const TraceSettings& s, bool readBack);
};

enum class WorkerOutcome { Running, Done, Stopped, Failed };

class CMyThread {
 public:
  CMyThread(CSerial& port, TraceExchange& exchange, WorkerSetup setup, PostMessageFn post);
  ~CMyThread();
  CMyThread(const CMyThread&) = delete;
  CMyThread& operator=(const CMyThread&) = delete;

  void start();
  // Sets the stop event, waits for the thread to end, resets the event.
  void stop();
  // kStillActive while the thread runs, kWorkerExitCode once it has ended.
  int exitCode() const { return exitCode_.load(); }
  bool active() const;
  WorkerOutcome outcome() const { return outcome_.load(); }

  // The records of a ring in ring order: from `position` to the end, then from the start
  // (a position beyond the records read keeps record order).
  static std::vector<TraceRecord> ringOrder(const std::vector<TraceRecord>& records, int position);

 private:
  using Result = TraceMemoryReader::Result;

  void run();
  WorkerOutcome readBack();
  WorkerOutcome continuous();
  WorkerOutcome cycleRing();
  WorkerOutcome single();
  bool ringPosition(int& position);
  bool handBack();
  WorkerOutcome failed(Result r);
  void halfRead();
  void tell(const std::string& text, PromptIcon icon = PromptIcon::None);

  CSerial& port_;
  TraceExchange& exchange_;
  WorkerSetup setup_;
  PostMessageFn post_;
  StopEvent stop_;
  TraceMemoryReader reader_;
  std::thread thread_;
  std::atomic<int> exitCode_;
  std::atomic<WorkerOutcome> outcome_{WorkerOutcome::Running};
};

}  // namespace zavo::trace
