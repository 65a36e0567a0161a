#include "trace/CMyThread.h"

#include "link/LinkState.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceTexts.h"

namespace zavo::trace {
namespace {

int recordsPerBlockOf(TraceMode mode) {
  return mode == TraceMode::Monitor ? kMonitorRecordsPerBlock : kRecordsPerBlock;
}

}  // namespace

WorkerSetup WorkerSetup::of(const TraceSettings& s, bool readBack) {
  return WorkerSetup{s.traceMode(), s.triggered(), s.armedSources(), TraceScaling::current(), readBack};
}

CMyThread::CMyThread(CSerial& port, TraceExchange& exchange, WorkerSetup setup, PostMessageFn post)
    : port_(port),
      exchange_(exchange),
      setup_(setup),
      post_(std::move(post)),
      reader_(port, stop_, setup.sources, setup.scaling, recordsPerBlockOf(setup.mode)),
      exitCode_(kWorkerExitCode) {}

CMyThread::~CMyThread() { stop(); }

void CMyThread::start() {
  if (thread_.joinable()) return;
  stop_.reset();
  exitCode_ = kStillActive;
  outcome_ = WorkerOutcome::Running;
  thread_ = std::thread([this] { run(); });
}

void CMyThread::stop() {
  stop_.set();
  if (thread_.joinable()) thread_.join();
  stop_.reset();
}

bool CMyThread::active() const { return exitCode() == kStillActive; }

void CMyThread::run() {
  WorkerOutcome outcome = WorkerOutcome::Failed;
  if (linkState().isConnected()) {
    // Every capture starts with its first half.
    if (!setup_.readBack) exchange_.half = 0;
    if (setup_.readBack)
      outcome = readBack();
    else if (setup_.mode == TraceMode::Monitor || (setup_.mode == TraceMode::Cycle && !setup_.triggered))
      outcome = continuous();
    else if (setup_.mode == TraceMode::Cycle)
      outcome = cycleRing();
    else
      outcome = single();
  }
  outcome_ = outcome;
  exitCode_ = kWorkerExitCode;
}

void CMyThread::tell(const std::string& text, PromptIcon icon) {
  if (post_) post_(WorkerMessage{text, icon});
}

WorkerOutcome CMyThread::failed(Result r) {
  switch (r) {
    case Result::Ok: return WorkerOutcome::Done;
    case Result::Stopped: return WorkerOutcome::Stopped;
    case Result::PortRefused:
      // The port cannot carry the stream: the drive stops, the link itself is sound.
      tell(texts::kPortRefused);
      reader_.writeAcknowledged(kRegRun, kRunStop);
      reader_.writeAcknowledged(kRegHandBack, kHandBackNone);
      return WorkerOutcome::Failed;
    case Result::Failed: break;
  }
  tell(texts::communicateError(), PromptIcon::Stop);
  linkState().connected = 0;
  return WorkerOutcome::Failed;
}

bool CMyThread::ringPosition(int& position) {
  bool tooHigh = false;
  if (reader_.ringPosition(position, tooHigh) != Result::Ok) return false;
  if (tooHigh) tell(texts::kRingTooHigh);
  return true;
}

bool CMyThread::handBack() {
  if (reader_.writeAcknowledged(kRegHandBack, kHandBackHalf)) return true;
  tell(texts::kHandBackFailed);
  return false;
}

void CMyThread::halfRead() {
  exchange_.newData = true;
  exchange_.half = exchange_.half ^ 1;
}

std::vector<TraceRecord> CMyThread::ringOrder(const std::vector<TraceRecord>& records, int position) {
  const std::size_t p = position >= 0 && static_cast<std::size_t>(position) < records.size() ? static_cast<std::size_t>(position) : 0;
  std::vector<TraceRecord> out(records.begin() + static_cast<std::ptrdiff_t>(p), records.end());
  out.insert(out.end(), records.begin(), records.begin() + static_cast<std::ptrdiff_t>(p));
  return out;
}

WorkerOutcome CMyThread::readBack() {
  // What the drive holds is read once; a failure ends it without a word.
  int position = 0;
  std::vector<TraceRecord> ring;
  const auto keep = [&ring](const TraceRecord& r) { ring.push_back(r); };
  bool tooHigh = false;
  Result r = reader_.ringPosition(position, tooHigh);
  for (int half = 0; half < kHalves && r == Result::Ok; ++half) r = reader_.readHalf(half, keep);
  if (r == Result::Stopped) return WorkerOutcome::Stopped;
  if (r != Result::Ok) {
    linkState().connected = 0;
    return WorkerOutcome::Failed;
  }
  if (tooHigh) tell(texts::kRingTooHigh);
  exchange_.queue.replace(ringOrder(ring, position));
  exchange_.newData = true;
  return WorkerOutcome::Done;
}

WorkerOutcome CMyThread::continuous() {
  const bool monitor = setup_.mode == TraceMode::Monitor;
  const auto append = [this](const TraceRecord& rec) { exchange_.queue.append(rec); };
  for (;;) {
    if (const Result r = reader_.waitReady(false); r != Result::Ok) return failed(r);
    const int half = exchange_.half;
    // A Cycle display shows one record at a time.
    if (!monitor && half == 0) exchange_.queue.clear();
    if (const Result r = reader_.readHalf(half, append); r != Result::Ok) return failed(r);
    if ((monitor || half == 1) && !handBack()) return failed(Result::Failed);
    halfRead();
  }
}

WorkerOutcome CMyThread::cycleRing() {
  std::vector<TraceRecord> ring;
  int position = 0;
  const auto keep = [&ring](const TraceRecord& rec) { ring.push_back(rec); };
  for (;;) {
    if (const Result r = reader_.waitReady(false); r != Result::Ok) return failed(r);
    const int half = exchange_.half;
    if (half == 0) {
      ring.clear();
      if (!ringPosition(position)) return failed(Result::Failed);
    }
    if (const Result r = reader_.readHalf(half, keep); r != Result::Ok) return failed(r);
    if (half == 1) {
      if (!handBack()) return failed(Result::Failed);
      exchange_.queue.replace(ringOrder(ring, position));
    }
    halfRead();
  }
}

WorkerOutcome CMyThread::single() {
  std::vector<TraceRecord> ring;
  int position = 0;
  // With a trigger the records wait for their ring order; without, they go straight out.
  const auto take = [&](const TraceRecord& rec) {
    if (setup_.triggered)
      ring.push_back(rec);
    else
      exchange_.queue.append(rec);
  };
  if (const Result r = reader_.waitReady(true); r != Result::Ok) return failed(r);
  if (setup_.triggered && !ringPosition(position)) return failed(Result::Failed);
  for (int half = 0; half < kHalves; ++half)
    if (const Result r = reader_.readHalf(half, take); r != Result::Ok) return failed(r);
  halfRead();
  if (setup_.triggered) exchange_.queue.replace(ringOrder(ring, position));
  reader_.writeAcknowledged(kRegRun, kRunStop);
  return WorkerOutcome::Done;
}

}  // namespace zavo::trace
