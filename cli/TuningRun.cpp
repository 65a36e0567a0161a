#include "cli/TuningRun.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "cli/Numbers.h"
#include "link/Protocol.h"
#include "tuning/TuningRegisters.h"

namespace zavo::cli {
namespace {

volatile std::sig_atomic_t interruptedFlag = 0;
constexpr int kPauseSliceMs = 10;
constexpr long kMaxTimeoutS = 86400;

void interruptTuning(int) { interruptedFlag = 1; }

}  // namespace

InterruptGuard::InterruptGuard() {
  interruptedFlag = 0;
  std::signal(SIGINT, interruptTuning);
}

InterruptGuard::~InterruptGuard() { std::signal(SIGINT, SIG_DFL); }

bool InterruptGuard::interrupted() { return interruptedFlag != 0; }

bool takeTimeout(std::vector<std::string>& args, int& seconds, std::string& error) {
  seconds = kDefaultTimeoutS;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--timeout-s") continue;
    const auto n = i + 1 < args.size() ? parseNumber(args[i + 1]) : std::nullopt;
    if (!n || *n < 1 || *n > kMaxTimeoutS) {
      error = "--timeout-s needs seconds (1-86400)";
      return false;
    }
    seconds = static_cast<int>(*n);
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    return true;
  }
  return true;
}

std::optional<TuningArgs> tuningOptions(Args args, const char* usage, int& rc) {
  auto o = commandOptions(args, usage, rc);
  if (!o) return std::nullopt;
  TuningArgs t{*o, o->rest, kDefaultTimeoutS};
  std::string error;
  if (!takeTimeout(t.rest, t.timeoutS, error)) {
    rc = usageError(error);
    return std::nullopt;
  }
  return t;
}

bool pause(int ms) {
  for (int waited = 0; waited < ms; waited += kPauseSliceMs) {
    if (InterruptGuard::interrupted()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(kPauseSliceMs, ms - waited)));
  }
  return !InterruptGuard::interrupted();
}

int servoOffOr(DriveSession& drive, const std::string& refusal) {
  if (!drive.ops().readRegister(protocol::kServoOnRegister.page, protocol::kServoOnRegister.address))
    return failWith(kExitLinkFailure, "no valid reply from the drive");
  if ((drive.ops().lastValue() & tuning::kServoOnBit) == 0) return kExitOk;
  return failWith(kExitRefused, refusal);
}

int failWith(int code, const std::string& text) {
  std::fprintf(stderr, "zavoctl: %s\n", text.c_str());
  return code;
}

std::string jsonString(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string jsonArray(const std::vector<int>& v) {
  std::string out = "[";
  for (std::size_t i = 0; i < v.size(); ++i) out += (i ? ", " : "") + std::to_string(v[i]);
  return out + "]";
}

}  // namespace zavo::cli
