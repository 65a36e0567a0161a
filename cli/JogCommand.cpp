// zavoctl jog: turns the motor at a speed for a while, the way the JOG window does, and
// leaves the drive's JOG speed as it found it.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Numbers.h"
#include "cli/TuningRun.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"
#include "tuning/JogSession.h"

namespace zavo::cli {
namespace {

constexpr int kSampleMs = 50;
constexpr int kAtRestRpm = 2;  // the speed reading's noise at rest
constexpr int kMaxTurnMs = 600000;
constexpr int kMaxRpm = 12000;

struct JogArgs {
  int rpm = 0;
  int ms = 0;
  bool ccw = false;
  int timeoutS = kDefaultTimeoutS;
};

std::optional<JogArgs> parseJog(const std::vector<std::string>& rest, int timeoutS, std::string& error) {
  JogArgs j;
  j.timeoutS = timeoutS;
  bool speed = false, time = false;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    if (a == "--ccw") {
      j.ccw = true;
      continue;
    }
    const long v = i + 1 < rest.size() ? parseNumber(rest[i + 1]).value_or(-1) : -1;
    if (a == "--speed" && v >= 0 && v <= kMaxRpm) {
      j.rpm = static_cast<int>(v);
      speed = true;
    } else if (a == "--ms" && v >= 0 && v <= kMaxTurnMs) {
      j.ms = static_cast<int>(v);
      time = true;
    } else {
      error = "jog: unexpected or invalid '" + a + "'";
      return std::nullopt;
    }
    ++i;
  }
  if (!speed || !time) {
    error = "jog needs --speed RPM and --ms N";
    return std::nullopt;
  }
  return j;
}

bool readSpeed(DriveSession& drive, int& rpm) {
  if (!drive.ops().readDisplayValue("Un01")) return false;
  rpm = drive.ops().lastValue();
  return true;
}

// Stops, waits for the shaft to rest, leaves JOG mode with the JOG speed put back.
int stopAndLeave(DriveSession& drive, tuning::JogSession& jog, int timeoutS) {
  if (!jog.stop()) return failWith(kExitLinkFailure, "the drive did not take the stop");
  int rpm = 0;
  bool atRest = false;
  for (int waited = 0; waited < timeoutS * 1000 && !atRest; waited += kSampleMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kSampleMs));
    if (!readSpeed(drive, rpm)) return failWith(kExitLinkFailure, "no valid reply from the drive");
    atRest = std::abs(rpm) <= kAtRestRpm;
  }
  if (!jog.leave()) return failWith(kExitLinkFailure, "the drive did not leave JOG mode");
  return atRest ? kExitOk : failWith(kExitRefused, "the motor did not come to rest in time");
}

int runJog(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl jog --speed RPM --ms N [--ccw] [--timeout-s S] [options]\n"
      "Turns the motor in JOG mode (servo off) at RPM, clockwise unless --ccw, for N ms,\n"
      "printing the speed (Un-01) every 50 ms; then stops, waits for rest and leaves JOG mode\n"
      "with the drive's JOG speed as it was. SIGINT stops the motor and leaves JOG mode too.";
  int rc = kExitOk;
  const auto t = tuningOptions(args, kUsage, rc);
  if (!t) return rc;
  const DriveOptions* o = &t->options;
  std::string error;
  const auto j = parseJog(t->rest, t->timeoutS, error);
  if (!j) return usageError(error);
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  if (j->rpm > driveContext().ratedSpeed)
    return usageError("jog: " + std::to_string(j->rpm) + " rpm is above the rated speed " +
                      std::to_string(driveContext().ratedSpeed));
  if (const int refused = servoOffOr(drive, text(ids::kJogServoOn))) return refused;

  InterruptGuard guard;
  tuning::JogSession jog(drive.ops());
  if (!jog.enter()) return failWith(kExitLinkFailure, "the drive did not enter JOG mode");
  const int rpm = j->ccw ? -j->rpm : j->rpm;
  if (!jog.run(rpm)) {
    jog.leave();
    return failWith(kExitLinkFailure, "the drive did not take the JOG speed");
  }
  int speed = 0;
  bool linkOk = true;
  for (int turned = 0; turned < j->ms && linkOk && pause(kSampleMs); turned += kSampleMs) {
    linkOk = readSpeed(drive, speed);
    if (linkOk && !o->json) std::printf("%d %d\n", turned + kSampleMs, speed);
  }
  const int end = stopAndLeave(drive, jog, j->timeoutS);
  if (!linkOk) return failWith(kExitLinkFailure, "no valid reply from the drive");
  if (end != kExitOk) return end;
  if (InterruptGuard::interrupted()) return failWith(kExitRefused, "interrupted: the motor is stopped");
  const int command = static_cast<std::int16_t>(conversion::speedToRaw(rpm) & 0xFFFF);
  if (o->json)
    std::printf("{\"command\": %d, \"speed_rpm\": %d, \"restored\": %d}\n", command, speed,
                static_cast<int>(jog.savedWord()));
  else
    std::printf("restored %d\n", static_cast<int>(jog.savedWord()));
  return kExitOk;
}

const CommandRegistrar r("jog", "turn the motor in JOG mode for a while", runJog);

}  // namespace
}  // namespace zavo::cli
