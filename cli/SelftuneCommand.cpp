// zavoctl selftune: one test of the off-line self-tuning, motor identification or mechanical
// tuning, run to its end; what the drive found printed, its proposals kept or dropped.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Numbers.h"
#include "cli/TuningRun.h"
#include "tuning/RangeCheck.h"
#include "tuning/SelfTuning.h"

namespace zavo::cli {
namespace {

using namespace tuning;

constexpr const char* kReducedTests[] = {"acr", "rs", "ls"};
constexpr const char* kStartNames[] = {"cwl", "mid", "ccwl"};

struct MechanicalArgs {
  SetValues given{};
  std::array<bool, kSetFieldCount> isGiven{};
  bool adopt = false;  // the proposals are discarded unless asked for
};

std::optional<MechanicalArgs> parseMechanical(const std::vector<std::string>& rest, std::string& error) {
  MechanicalArgs m;
  for (std::size_t i = 2; i < rest.size(); ++i) {
    const std::string& a = rest[i];
    if (a == "--adopt" || a == "--discard") {
      m.adopt = a == "--adopt";
      continue;
    }
    int field = -1;
    for (int f = 0; f < kSetFieldCount; ++f)
      if (a == "--" + std::string(setFieldCode(static_cast<SetField>(f))) ||
          (f == kSn201 && a == "--sn201"))
        field = f;
    if (field < 0 || i + 1 >= rest.size()) {
      error = "selftune: unexpected or incomplete '" + a + "'";
      return std::nullopt;
    }
    const std::string& v = rest[++i];
    long n = -1;
    if (field == kTn18) {
      for (int k = 0; k < 3; ++k)
        if (v == kStartNames[k]) n = k;
    } else {
      n = parseNumber(v).value_or(-1000000);
    }
    if (field == kTn18 && n < 0) {
      error = "selftune: --tn18 takes cwl, mid or ccwl";
      return std::nullopt;
    }
    m.given[static_cast<std::size_t>(field)] = static_cast<int>(n);
    m.isGiven[static_cast<std::size_t>(field)] = true;
  }
  return m;
}

// Polls 849 every 500 ms until the drive reports the end; B55 = 0 when it never does.
int waitForEnd(DriveSession& drive, int timeoutS) {
  for (int waited = 0; waited <= timeoutS * 1000; waited += kPollMs) {
    if (finished(drive.ops())) return kExitOk;
    if (!pause(kPollMs)) {
      stopTuning(drive.ops());
      return failWith(kExitRefused, "interrupted: the test is stopped");
    }
  }
  stopTuning(drive.ops());
  return failWith(kExitRefused, "the test did not finish in time");
}

struct Found {
  std::string values, proposed;
};

bool readResults(DriveSession& drive, const SelfTuningTest& t, bool mechanical, bool json, Found& out) {
  for (const TuningField* f : t.shows) {
    std::vector<int> v;
    if (!readField(drive.ops(), *f, v)) return false;
    const std::string name(f->label);
    const std::string value = f->count > 1 ? jsonArray(v) : std::to_string(v.front());
    if (json) out.values += (out.values.empty() ? "" : ", ") + jsonString(name) + ": " + value;
    else std::printf("%s %s\n", name.c_str(), value.c_str());
    int p = 0;
    if (!f->hasProposal() || !mechanical) continue;
    if (!readProposal(drive.ops(), *f, p)) return false;
    if (json) out.proposed += (out.proposed.empty() ? "" : ", ") + jsonString(name) + ": " + std::to_string(p);
    else std::printf("%s proposed %d\n", name.c_str(), p);
  }
  return true;
}

bool proposes(const SelfTuningTest& t) {
  for (const TuningField* f : t.shows)
    if (f->hasProposal()) return true;
  return false;
}

int run(DriveSession& drive, const SelfTuningTest& t, bool mechanical, const MechanicalArgs& m, int timeoutS, bool json) {
  InterruptGuard guard;
  if (mechanical) {
    SetValues v{};
    if (!readSetValues(drive.ops(), v)) return failWith(kExitLinkFailure, "no valid reply from the drive");
    for (int f = 0; f < kSetFieldCount; ++f)
      if (m.isGiven[static_cast<std::size_t>(f)]) v[static_cast<std::size_t>(f)] = m.given[static_cast<std::size_t>(f)];
    if (const int bad = firstOutOfRange(v); bad >= 0) {
      overRange(std::string(setFieldCode(static_cast<SetField>(bad))));
      return kExitUsage;
    }
    if (!startMechanical(drive.ops(), t, v)) return kExitLinkFailure;
  } else if (!startMotor(drive.ops(), t)) {
    return kExitLinkFailure;
  }
  if (const int end = waitForEnd(drive, timeoutS)) return end;
  Found found;
  if (!readResults(drive, t, mechanical, json, found)) return failWith(kExitLinkFailure, "no valid reply from the drive");
  std::string decision = "none";
  if (mechanical && proposes(t)) {
    if (!decide(drive.ops(), m.adopt)) return kExitLinkFailure;
    decision = m.adopt ? "adopted" : "discarded";
  }
  if (!stopTuning(drive.ops())) return kExitLinkFailure;
  if (json) {
    std::printf("{\"test\": %s, \"finished\": true, \"values\": {%s}", jsonString(std::string(t.name)).c_str(), found.values.c_str());
    if (mechanical) std::printf(", \"proposed\": {%s}, \"decision\": %s", found.proposed.c_str(), jsonString(decision).c_str());
    std::printf("}\n");
  } else if (mechanical) {
    std::printf("decision %s\n", decision.c_str());
  }
  return kExitOk;
}

int runSelftune(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl selftune motor all|acr|rs|deadtime|ls|ke|nfcm|jm [--reduced]\n"
      "       zavoctl selftune mech all|nfc|j|acrbw|acrgsw|asr|apr|notch [--sn201 RPM] [--tnNN N]...\n"
      "                             [--tn18 cwl|mid|ccwl] [--adopt|--discard]   [options]\n"
      "Runs one off-line self-tuning test (servo off) to its end and prints what the drive\n"
      "found. A mechanical test takes the test speed and tn parameters given, the others as\n"
      "the drive has them; its proposed gains are discarded unless --adopt. --reduced allows\n"
      "only the tests of the linear-motor set-up (acr, rs, ls). Waits end after --timeout-s S\n"
      "(default 60); SIGINT stops the test.";
  int rc = kExitOk;
  const auto targs = tuningOptions(args, kUsage, rc);
  if (!targs) return rc;
  const DriveOptions* o = &targs->options;
  const std::vector<std::string>& rest = targs->rest;
  const int timeoutS = targs->timeoutS;
  std::string error;
  if (rest.size() < 2 || (rest[0] != "motor" && rest[0] != "mech")) return usageError("selftune needs motor or mech and a test");
  const bool mechanical = rest[0] == "mech";
  const SelfTuningTest* t = findTest(mechanical ? mechanicalTests() : motorTests(), rest[1]);
  if (!t) return usageError("selftune " + rest[0] + ": no test '" + rest[1] + "'");
  MechanicalArgs m;
  if (mechanical) {
    const auto parsed = parseMechanical(rest, error);
    if (!parsed) return usageError(error);
    m = *parsed;
  } else {
    const bool reduced = rest.size() == 3 && rest[2] == "--reduced";
    if (rest.size() > 3 || (rest.size() == 3 && !reduced)) return usageError("selftune motor: unexpected '" + rest.back() + "'");
    bool allowed = !reduced;
    for (const char* name : kReducedTests) allowed = allowed || t->name == name;
    if (!allowed) return usageError("selftune motor --reduced: only acr, rs and ls");
  }
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  if (const int refused = servoOffOr(drive, "Servo ON: the self-tuning runs with the servo off")) return refused;
  return run(drive, *t, mechanical, m, timeoutS, o->json);
}

const CommandRegistrar r("selftune", "off-line self-tuning: motor identification or mechanical tuning", runSelftune);

}  // namespace
}  // namespace zavo::cli
