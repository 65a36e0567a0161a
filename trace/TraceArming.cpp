#include "trace/TraceArming.h"

#include <chrono>
#include <thread>

#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "link/Protocol.h"
#include "trace/TraceFrames.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceTexts.h"

namespace zavo::trace {
namespace {

constexpr int kSourceShift = 256;

void tellCommunicateError() {
  showMessage(texts::communicateError(), texts::communicationTitle(), PromptIcon::Stop);
}

}  // namespace

TraceArming::TraceArming(CSerial& port, TraceExchange& exchange, LinkFlags& flags)
    : port_(port), exchange_(exchange), flags_(flags) {}

TraceArming::~TraceArming() { stopWorker(); }

bool TraceArming::write(int number, int value, const char* failure) {
  std::uint8_t reply[protocol::kWriteReplyLength];
  if (checkedExchange(port_, registerWrite(number, value), reply, sizeof reply) == protocol::kExchangeWriteAck)
    return true;
  if (failure) showMessage(failure);
  return false;
}

bool TraceArming::start(const TraceSettings& s) {
  if (!linkState().isConnected()) {
    tellCommunicateError();
    return false;
  }
  LinkBusyScope busy(flags_);
  stopWorker();
  exchange_.queue.clear();
  exchange_.readBack = false;
  return write(kRegEnable, kEnableTrace, texts::kEnableFailed) && write(kRegMode, s.mode, texts::kModeFailed) &&
         setup(s) && write(kRegRun, kRunStart, texts::kStartFailed);
}

bool TraceArming::setup(const TraceSettings& s) {
  const auto sources = s.armedSources();
  const Frame frame = setupWrite(sources[0] + kSourceShift * sources[1], sources[2] + kSourceShift * sources[3], s.interval);
  std::uint8_t reply[protocol::kWriteReplyLength];
  // '#' and '!' are the drive's answers, not a lost link: only silence or garbage is.
  const bool sent = rawExchange(port_, frame.data(), frame.size, reply, sizeof reply) == 0;
  if (sent && reply[0] == protocol::kReplyOk) {
    if (s.monitor()) return true;
    if (s.triggered()) {
      const Frame trigger = triggerWrite(s.triggerChannel, s.triggerPosition, s.triggerLevel, s.edge);
      rawExchange(port_, trigger.data(), trigger.size, reply, sizeof reply);
    } else {
      write(kRegTriggerChannel, kNoTrigger, nullptr);
    }
    return true;
  }
  if (reply[0] == kReplyPortRefused) {
    showMessage(texts::kPortRefused);
    return false;
  }
  if (reply[0] != protocol::kReplyRefused) linkState().connected = 0;
  std::this_thread::sleep_for(std::chrono::milliseconds(kSetupFailurePauseMs));
  showMessage(texts::kSetupFailed);
  return false;
}

void TraceArming::startWorker(const TraceSettings& s, PostMessageFn post) {
  if (workerActive()) return;
  worker_.reset();
  worker_ = std::make_unique<CMyThread>(port_, exchange_, WorkerSetup::of(s, exchange_.readBack), std::move(post));
  worker_->start();
}

void TraceArming::stopWorker() {
  if (worker_) worker_->stop();
}

void TraceArming::stop() {
  LinkBusyScope busy(flags_);
  stopWorker();
  write(kRegRun, kRunStop, nullptr);
  write(kRegRun, kRunStop, nullptr);
  write(kRegHandBack, kHandBackNone, nullptr);
}

bool TraceArming::readBackOn() {
  if (!linkState().isConnected()) {
    tellCommunicateError();
    return false;
  }
  stopWorker();
  exchange_.queue.clear();
  exchange_.readBack = true;
  return true;
}

void TraceArming::readBackOff() {
  stopWorker();
  exchange_.readBack = false;
}

bool TraceArming::warmUp() {
  LinkBusyScope busy(flags_);
  const Frame read = registerRead(kRegWarmUp);
  for (int i = 0; i < kWarmUpReads; ++i)
    if (exchangeRead(port_, read) < 0) return false;
  return true;
}

}  // namespace zavo::trace
