// zavoctl linear-motor and pole-align: the self-built motor's data and the magnetic pole
// alignment of the linear-motor set-up.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Numbers.h"
#include "cli/TuningRun.h"
#include "params/catalogue/Catalogue.h"
#include "tuning/LinearMotor.h"
#include "tuning/RegisterAccess.h"

namespace zavo::cli {
namespace {

using namespace tuning;

constexpr const char* kModel = "Cn030";
constexpr int kStatusPollMs = 500;
constexpr int kDefaultAlignWaitS = 5;

int show(DriveSession& drive, bool json) {
  if (!drive.ops().readParameter(kModel)) return kExitLinkFailure;
  const int model = drive.ops().lastValue();
  const auto values = readMotorData(drive.ops(), {});
  const auto data = motorData();
  if (json) std::printf("{\"%s\": %d", kModel, model);
  else std::printf("%s %s\n", kModel, catalogue::valueText(kModel, model).c_str());
  for (std::size_t i = 0; i < data.size(); ++i) {
    const std::string shown = datumShown(data[i], values[i]);
    const std::string trimmed = shown.substr(shown.find_first_not_of(' '));
    if (json)
      std::printf(", \"%.*s\": {\"value\": %d, \"shown\": \"%s\"}", static_cast<int>(data[i].code.size()), data[i].code.data(),
                  values[i], trimmed.c_str());
    else
      std::printf("%.*s %d (%s)\n", static_cast<int>(data[i].code.size()), data[i].code.data(), values[i], trimmed.c_str());
  }
  if (json) std::printf("}\n");
  return kExitOk;
}

struct Change {
  std::size_t index;
  std::string text;  // as the dialog's edit would hold it
};

std::optional<std::vector<Change>> parseChanges(const std::vector<std::string>& rest, std::size_t from, long& model,
                                                std::string& error) {
  std::vector<Change> changes;
  const auto data = motorData();
  for (std::size_t i = from; i < rest.size(); ++i) {
    if (rest[i] == "--model") {
      model = i + 1 < rest.size() ? parseNumber(rest[i + 1]).value_or(-1) : -1;
      ++i;
      continue;
    }
    const auto eq = rest[i].find('=');
    const MotorDatum* d = eq == std::string::npos ? nullptr : findDatum(rest[i].substr(0, eq));
    const auto typed = d ? typedText(*d, rest[i].substr(eq + 1)) : std::nullopt;
    if (!typed) {
      error = "linear-motor write: '" + rest[i] + "' is no CODE=TEXT of OnE05-OnE11, OnE14, OnE15 in the field's decimals";
      return std::nullopt;
    }
    changes.push_back({static_cast<std::size_t>(d - data.data()), *typed});
  }
  return changes;
}

int write(DriveSession& drive, const std::vector<std::string>& rest) {
  long model = -1;
  std::string error;
  const auto changes = parseChanges(rest, 1, model, error);
  if (!changes) return usageError(error);
  catalogue::Limits modelLimits;
  catalogue::limitsOf(kModel, modelLimits);
  if (model != -1 && (model < modelLimits.min || model > modelLimits.max)) return usageError("linear-motor: --model out of range");
  // Fields not named keep the drive's words exactly.
  if (!drive.ops().readParameter(kModel)) return kExitLinkFailure;
  const int current = drive.ops().lastValue();
  const auto read = readMotorData(drive.ops(), {});
  std::vector<std::int64_t> values(read.begin(), read.end());
  for (const Change& c : *changes) values[c.index] = *datumValue(motorData()[c.index], c.text);
  for (std::size_t i = 0; i < values.size(); ++i)
    if (!motorData()[i].within(motorData()[i].write, values[i])) {
      std::fprintf(stderr, "%s\n", datumOverRange(motorData()[i]).c_str());
      return kExitUsage;
    }
  const int newModel = model == -1 ? current : static_cast<int>(model);
  return writeMotorData(drive.ops(), values, newModel, current) ? kExitOk : kExitLinkFailure;
}

int runLinearMotor(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl linear-motor [show] [options]\n"
      "       zavoctl linear-motor write CODE=TEXT... [--model N] [options]\n"
      "Shows or writes the self-built motor's data (OnE05-OnE11, OnE14, OnE15) as the set-up\n"
      "dialog edits them: OnE05 1.5 (A), OnE14 30 (mm), OnE11 120 (%). Fields not named keep\n"
      "their values; a text with more decimals than its field takes is refused. --model sets\n"
      "Cn030 (and Cn029 = 1). The drive takes the data after its next power-on.";
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  const std::string what = o->rest.empty() ? "show" : o->rest[0];
  if (what != "show" && what != "write") return usageError("linear-motor: show or write");
  if (what == "show" && o->rest.size() > 1) return usageError("linear-motor show takes no arguments");
  if (what == "write") {
    long model = -1;
    std::string error;
    if (!parseChanges(o->rest, 1, model, error)) return usageError(error);
  }
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  return what == "show" ? show(drive, o->json) : write(drive, o->rest);
}

int runPoleAlign(Args args) {
  constexpr const char* kUsage =
      "Usage: zavoctl pole-align [--on|--off] [--current N] [--wait-s S] [options]\n"
      "Sets the alignment current DBD (N/8192 of rated current, 0-16384) and the pole\n"
      "alignment 668 (--on aligns now), then prints each state of 66B, the final one last\n"
      "(waits up to S seconds, default 5, for OK or Alarm after --on).";
  int rc = kExitOk;
  const auto t = tuningOptions(args, kUsage, rc);
  if (!t) return rc;
  const DriveOptions* o = &t->options;
  const std::vector<std::string>& rest = t->rest;
  const int timeoutS = t->timeoutS;
  long on = -1, current = -1, waitS = kDefaultAlignWaitS;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == "--on" || rest[i] == "--off") on = rest[i] == "--on" ? 1 : 0;
    else if (rest[i] == "--current" && i + 1 < rest.size()) current = parseNumber(rest[++i]).value_or(-2);
    else if (rest[i] == "--wait-s" && i + 1 < rest.size()) waitS = parseNumber(rest[++i]).value_or(-1);
    else return usageError("pole-align: unexpected '" + rest[i] + "'");
  }
  if (current != -1 && !kPoleCurrentRange.contains(current)) return usageError("pole-align: --current is 0-16384");
  if (waitS < 0) return usageError("pole-align: --wait-s needs seconds");
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  if (current >= 0 && !writePlain(drive.ops(), kPoleAlignCurrent, static_cast<int>(current))) return failWith(kExitLinkFailure, "OnF44 write error!");
  if (on >= 0 && !writePlain(drive.ops(), kPoleAlignOn, static_cast<int>(on))) return failWith(kExitLinkFailure, "OnF39 write error!");
  InterruptGuard guard;
  const long waitMs = std::min<long>(on == 1 ? waitS : 0, timeoutS) * 1000;
  int status = -1, shown = -1;
  for (long waited = 0;; waited += kStatusPollMs) {
    std::int32_t v = 0;
    if (!readRegister(drive.ops(), kPoleAlignStatus, v)) return failWith(kExitLinkFailure, "no valid reply from the drive");
    status = v;
    if (status != shown) std::printf("%s\n", std::string(poleStatusText(status)).c_str());
    std::fflush(stdout);
    shown = status;
    if (status >= kPoleOk || waited >= waitMs || !pause(kStatusPollMs)) break;
  }
  if (on == 1 && status != kPoleOk) return kExitRefused;
  return kExitOk;
}

const CommandRegistrar r1("linear-motor", "the self-built (linear) motor's data", runLinearMotor);
const CommandRegistrar r2("pole-align", "magnetic pole alignment of a linear motor", runPoleAlign);

}  // namespace
}  // namespace zavo::cli
