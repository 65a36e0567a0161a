#pragma once
// Arming the drive for a capture and ending it, on the user-interface thread: the START
// sequence (enable, mode, the set-up write, the trigger, run), starting the worker once the
// drive runs, the STOP sequence, the read-back of a capture the drive holds, and the link
// warm-up. The user is told of every failure through the prompt service.
//
//   TraceArming arming(port, exchange, flags);
//   if (arming.start(settings)) arming.startWorker(settings, post);   // (100 ms later)
//   ...
//   arming.stop();

#include <memory>

#include "comtrak/CSerial.h"
#include "link/LinkFlags.h"
#include "trace/CMyThread.h"
#include "trace/TraceExchange.h"
#include "trace/TraceSettings.h"

namespace zavo::trace {

class TraceArming {
 public:
  TraceArming(CSerial& port, TraceExchange& exchange, LinkFlags& flags);
  ~TraceArming();
  TraceArming(const TraceArming&) = delete;
  TraceArming& operator=(const TraceArming&) = delete;

  // START: needs a connected drive; empties the record queue, clears the read-back flag (a
  // capture about to be written must not be read as one that is finished) and arms the
  // drive. False once a step failed and the user was told.
  bool start(const TraceSettings& s);
  // Starts the worker for the armed capture, or for the read-back when its flag is set; an
  // ended worker is cleared away first, a running one is left alone.
  void startWorker(const TraceSettings& s, PostMessageFn post);
  bool workerActive() const { return worker_ && worker_->active(); }
  WorkerOutcome workerOutcome() const { return worker_ ? worker_->outcome() : WorkerOutcome::Done; }
  // STOP: the worker ends, then the drive stops (0x7D4 := 0 twice) and takes its memory
  // back (0x7D2 := 0).
  void stop();

  // Read-back on: needs a connected drive; empties the queue and sets the flag. The worker
  // then reads what the drive holds once. Off: the worker ends and the flag is cleared.
  bool readBackOn();
  void readBackOff();

  // Reads 0xC42 512 times to settle a fresh link (values discarded). False when the link
  // failed on the way.
  bool warmUp();

 private:
  bool write(int number, int value, const char* failure);
  bool setup(const TraceSettings& s);
  void stopWorker();

  CSerial& port_;
  TraceExchange& exchange_;
  LinkFlags& flags_;
  std::unique_ptr<CMyThread> worker_;
};

}  // namespace zavo::trace
