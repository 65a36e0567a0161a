// zavoctl autotune: the four choices of the auto gain adjustment (off, off-line, on-line, and
// off-line with loop gains), with what the drive found printed.

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Numbers.h"
#include "cli/TuningRun.h"
#include "params/catalogue/DriveContext.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"
#include "tuning/AutoGain.h"
#include "tuning/OnlineGain.h"
#include "tuning/RangeCheck.h"
#include "tuning/RegisterAccess.h"

namespace zavo::cli {
namespace {

using namespace tuning;

constexpr int kPollMs = 400;
constexpr int kWatchEveryMs = 1000;
constexpr int kMaxDigit = 15;
constexpr const char* kResultNames[kResultCount] = {"ratio", "c9c", "c9d", "530", "531", "55a"};

// "--name value" pairs of a subcommand; every name must be known.
struct Options {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string get(const std::string& name) const {
    for (const auto& [k, v] : pairs)
      if (k == name) return v;
    return {};
  }
};

std::optional<Options> pairsOf(const std::vector<std::string>& rest, std::size_t from,
                               std::initializer_list<const char*> known, std::string& error) {
  Options o;
  for (std::size_t i = from; i < rest.size(); i += 2) {
    const bool ok = i + 1 < rest.size();
    bool isKnown = false;
    for (const char* k : known) isKnown = isKnown || rest[i] == k;
    if (!ok || !isKnown) {
      error = "autotune: unexpected or incomplete '" + rest[i] + "'";
      return std::nullopt;
    }
    o.pairs.emplace_back(rest[i], rest[i + 1]);
  }
  return o;
}

// Waits until 844 reads 100.
int waitForProgress(DriveSession& drive, int timeoutS) {
  for (int waited = 0; waited <= timeoutS * 1000; waited += kPollMs) {
    int percent = 0;
    if (!readProgress(drive.ops(), percent)) return failWith(kExitLinkFailure, "no valid reply from the drive");
    if (percent >= kProgressDone) return kExitOk;
    if (!pause(kPollMs)) return failWith(kExitRefused, "interrupted");
  }
  return failWith(kExitRefused, "the adjustment did not finish in time");
}

int printGains(DriveSession& drive, bool json) {
  LoopGainResults r;
  int inertia = 0;
  if (!readLoopGainResults(drive.ops(), r) || !readTotalInertia(drive.ops(), inertia))
    return failWith(kExitLinkFailure, "no valid reply from the drive");
  if (json)
    std::printf("{\"CF8\": %d, \"Cn025\": %d, \"Sn211\": %d, \"Sn212\": %d, \"Pn310\": %d}\n", inertia, r.ratio,
                r.speedGain, r.speedIntegral, r.positionGain);
  else
    std::printf("CF8 %d\nCn025 %d\nSn211 %d\nSn212 %d\nPn310 %d\n", inertia, r.ratio, r.speedGain, r.speedIntegral,
                r.positionGain);
  return kExitOk;
}

// The set values given as "--name N": all checked before any is written.
using ItemValues = std::vector<std::pair<int, long>>;  // (item, value)

std::optional<ItemValues> checkedItems(const Options& opts, std::initializer_list<std::pair<const char*, Range>> items,
                                       int firstItem) {
  ItemValues out;
  int item = firstItem;
  for (const auto& [name, range] : items) {
    const std::string v = opts.get(name);
    if (!v.empty()) {
      const long n = parseNumber(v).value_or(range.min - 1);
      if (!checkRange(n, range)) return std::nullopt;
      out.emplace_back(item, n);
    }
    ++item;
  }
  return out;
}

bool writeItems(DriveSession& drive, const ItemValues& items) {
  for (const auto& [item, value] : items) {
    int back = 0;
    if (!writeGainItem(drive.ops(), driveContext().driveType, item, static_cast<int>(value), back)) return false;
  }
  return true;
}

int offline(DriveSession& drive, const Options& opts, int timeoutS, bool json) {
  const int type = driveContext().driveType;
  const int rated = driveContext().ratedSpeed;
  const auto items = checkedItems(opts,
                                  {{"--speed", profileRange(kItemSpeed, rated)},
                                   {"--accel", profileRange(kItemAcceleration, rated)},
                                   {"--time", profileRange(kItemTime, rated)}},
                                  kItemSpeed);
  if (!items) return kExitUsage;
  if (!writeItems(drive, *items)) return failWith(kExitLinkFailure, "the drive did not take the profile");
  InterruptGuard guard;
  if (!startOffline(drive.ops(), type)) return failWith(kExitLinkFailure, "the adjustment did not start");
  const int waited = waitForProgress(drive, timeoutS);
  if (waited != kExitOk) {
    quitLoopGain(drive.ops());
    return waited;
  }
  return printGains(drive, json);
}

int online(DriveSession& drive, const Options& opts, bool json) {
  showMessage(text(ids::kOnlineAutoGain));
  int pn345 = 0;
  if (!readLearningRates(drive.ops(), pn345)) return failWith(kExitLinkFailure, "no valid reply from the drive");
  const std::string digits = opts.get("--digits");
  if (!digits.empty()) {
    std::vector<int> d;
    for (std::size_t at = 0; at <= digits.size();) {
      const auto comma = digits.find(',', at);
      d.push_back(static_cast<int>(parseNumber(digits.substr(at, comma - at)).value_or(-1)));
      at = comma == std::string::npos ? digits.size() + 1 : comma + 1;
    }
    if (d.size() != kLearningDigits) return usageError("autotune online: --digits takes three digits A,B,C");
    for (int i = 0; i < kLearningDigits; ++i) {
      if (d[static_cast<std::size_t>(i)] < 0 || d[static_cast<std::size_t>(i)] > kMaxDigit)
        return usageError("autotune online: each digit is 0-15");
      if (!writeLearningDigit(drive.ops(), pn345, i + 1, d[static_cast<std::size_t>(i)]))
        return failWith(kExitLinkFailure, "Pn345 was not written");
      pn345 = withLearningDigit(pn345, i + 1, d[static_cast<std::size_t>(i)]);
    }
  }
  const long watch = opts.get("--watch-s").empty() ? 0 : parseNumber(opts.get("--watch-s")).value_or(-1);
  if (watch < 0) return usageError("autotune online: --watch-s needs seconds");
  InterruptGuard guard;
  for (long s = 0; s <= watch; ++s) {
    OnlineGains g;
    if (!readOnlineGains(drive.ops(), pn345, g)) return failWith(kExitLinkFailure, "no valid reply from the drive");
    if (json)
      std::printf("{\"Pn345\": %d, \"Sn212\": %d, \"Sn211\": %d, \"Pn310\": %d}\n", pn345, g.speedIntegral, g.speedGain, g.positionGain);
    else
      std::printf("Pn345 %X %X %X  Sn212 %d  Sn211 %d  Pn310 %d\n", learningDigit(pn345, 1), learningDigit(pn345, 2),
                  learningDigit(pn345, 3), g.speedIntegral, g.speedGain, g.positionGain);
    std::fflush(stdout);
    if (s < watch && !pause(kWatchEveryMs)) break;
  }
  return kExitOk;
}

std::optional<std::array<bool, kResultCount>> keepList(const std::string& keep) {
  std::array<bool, kResultCount> k{};
  if (keep.empty() || keep == "none") return k;
  if (keep == "all") return std::array<bool, kResultCount>{true, true, true, true, true, true};
  for (std::size_t at = 0; at <= keep.size();) {
    const auto comma = keep.find(',', at);
    const std::string name = keep.substr(at, comma - at);
    bool found = false;
    for (int i = 0; i < kResultCount; ++i)
      if (name == kResultNames[i]) found = k[static_cast<std::size_t>(i)] = true;
    if (!found) return std::nullopt;
    at = comma == std::string::npos ? keep.size() + 1 : comma + 1;
  }
  return k;
}

int gains(DriveSession& drive, const Options& opts, int timeoutS, bool json) {
  const auto keep = keepList(opts.get("--keep"));
  if (!keep) return usageError("autotune gains: --keep takes all, none or a list of ratio,c9c,c9d,530,531,55a");
  const int type = driveContext().driveType;
  const auto items = checkedItems(opts,
                                  {{"--tn08", loopGainRange(0)},
                                   {"--tn09", loopGainRange(1)},
                                   {"--tn10", loopGainRange(2)},
                                   {"--tn11", loopGainRange(3)},
                                   {"--tn12", loopGainRange(4)}},
                                  kItemFirstLoopGain);
  if (!items) return kExitUsage;
  if (!writeItems(drive, *items)) return failWith(kExitLinkFailure, "the drive did not take the set values");
  InterruptGuard guard;
  if (!startLoopGain(drive.ops())) return failWith(kExitLinkFailure, "the adjustment did not start");
  const int waited = waitForProgress(drive, timeoutS);
  if (waited != kExitOk) {
    quitLoopGain(drive.ops());
    return waited;
  }
  LoopGainResults r;
  if (!readLoopGainResults(drive.ops(), r) || !endLoopGain(drive.ops(), type))
    return failWith(kExitLinkFailure, "no valid reply from the drive");
  const ShownResults s = shownResults(r);
  if (json)
    std::printf("{\"ratio\": %.1f, \"c9c\": %.4f, \"ki\": %ld, \"530\": %d, \"531\": %d, \"55a\": %d}\n", s.ratio,
                s.currentGain, s.currentKi, s.speedGain, s.speedIntegral, s.positionGain);
  else
    std::printf("ratio %.1f\nc9c %.4f\nki %ld\n530 %d\n531 %d\n55a %d\n", s.ratio, s.currentGain, s.currentKi, s.speedGain,
                s.speedIntegral, s.positionGain);
  return writeChosenResults(drive.ops(), r, *keep) ? kExitOk : kExitRefused;
}

int runAutotune(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl autotune off | offline [--speed RPM] [--accel RPMS] [--time T]\n"
      "                        | online [--digits A,B,C] [--watch-s S]\n"
      "                        | gains [--tn08 N] ... [--tn12 N] [--keep all|none|LIST]  [options]\n"
      "The auto gain adjustment (servo off): off switches it off; offline writes the given\n"
      "profile, runs the drive's adjustment and prints CF8, Cn025, Sn211, Sn212, Pn310; online\n"
      "sets the learning rates (Pn345 digits) and watches the gains; gains runs the adjustment\n"
      "with loop gains and keeps the chosen results (ratio,c9c,c9d,530,531,55a; default none).\n"
      "Waits end after --timeout-s S (default 60).";
  int rc = kExitOk;
  const auto t = tuningOptions(args, kUsage, rc);
  if (!t) return rc;
  const DriveOptions* o = &t->options;
  const std::vector<std::string>& rest = t->rest;
  const int timeoutS = t->timeoutS;
  std::string error;
  const std::string choice = rest.empty() ? "" : rest[0];
  std::optional<Options> opts;
  if (choice == "off") opts = pairsOf(rest, 1, {}, error);
  else if (choice == "offline") opts = pairsOf(rest, 1, {"--speed", "--accel", "--time"}, error);
  else if (choice == "online") opts = pairsOf(rest, 1, {"--digits", "--watch-s"}, error);
  else if (choice == "gains") opts = pairsOf(rest, 1, {"--tn08", "--tn09", "--tn10", "--tn11", "--tn12", "--keep"}, error);
  else return usageError("autotune needs off, offline, online or gains");
  if (!opts) return usageError(error);
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  if (const int refused = servoOffOr(drive, text(ids::kServoOnRunRefused))) return refused;
  if (choice == "off") return disableAutoGain(drive.ops(), driveContext().driveType) ? kExitOk : kExitLinkFailure;
  if (choice == "offline") return offline(drive, *opts, timeoutS, o->json);
  if (choice == "online") return online(drive, *opts, o->json);
  return gains(drive, *opts, timeoutS, o->json);
}

const CommandRegistrar r("autotune", "auto gain adjustment: off, off-line, on-line, with loop gains", runAutotune);

}  // namespace
}  // namespace zavo::cli
