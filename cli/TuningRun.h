#pragma once
// What the tuning commands of zavoctl share: their waits (bounded by --timeout-s, ended early
// by SIGINT, after which the command still stops the motor), the servo-on refusal, and the
// few JSON pieces they print.

#include <string>
#include <vector>

#include "cli/DriveSession.h"

namespace zavo::cli {

inline constexpr int kDefaultTimeoutS = 60;

// SIGINT sets a flag for as long as one of these lives (the default action is back after).
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;
  static bool interrupted();
};

// Takes "--timeout-s N" out of `args` (default 60 s). False with `error` set when invalid.
bool takeTimeout(std::vector<std::string>& args, int& seconds, std::string& error);

// The start of a tuning command: its options (commandOptions), its own arguments with
// --timeout-s taken out. Nothing means: return rc.
struct TuningArgs {
  DriveOptions options;
  std::vector<std::string> rest;
  int timeoutS = kDefaultTimeoutS;
};
std::optional<TuningArgs> tuningOptions(Args args, const char* usage, int& rc);
// Waits `ms`; false when SIGINT came meanwhile.
bool pause(int ms);

// Reads the servo-on bit of 666: 0 when it is off; kExitRefused (after printing `refusal`)
// when on; kExitLinkFailure when the read failed.
int servoOffOr(DriveSession& drive, const std::string& refusal);

// Prints the refusal or failure on standard error: "zavoctl: <text>", and returns `code`.
int failWith(int code, const std::string& text);

std::string jsonString(const std::string& s);
std::string jsonArray(const std::vector<int>& v);

}  // namespace zavo::cli
