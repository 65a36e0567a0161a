#include "tuning/LinearMotor.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/Prompt.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::tuning {
namespace {

constexpr int kPercentDatum = -1;   // OnE11: an integer percent of rated thrust
constexpr int kTenthsDatum = 1;     // OnE14: one decimal, then divided by 10
constexpr int kResistanceScale = 10000;  // OnE06: shown value / 10000
constexpr double kThrustWordsPerPercent = 4096 * 0.01;
constexpr int kFallbackValue = 100;
constexpr const char* kWriteOk = "Write OK!";

constexpr MotorDatum kData[] = {
    {"OnE05", "######.##", 3, {1, 536870000}, {1, 536870911}},
    {"OnE06", "#########", 0, {1, 536000000}, {1, 536870911}},
    {"OnE07", "######.##", 3, {1, 536870000}, {1, 536870911}},
    {"OnE08", "######.##", 3, {1, 536870000}, {1, 536870911}},
    {"OnE09", "######.##", 3, {1, 536870000}, {1, 536870911}},
    {"OnE10", "######.##", 3, {1, 536870000}, {1, 536870911}},
    {"OnE11", "", kPercentDatum, {0, 500}, {0, 300}},
    {"OnE14", "###.##", kTenthsDatum, {1, 3000}, {1, 3000}},
    {"OnE15", "###.##", 2, {1, 10000}, {1, 10000}},
};
constexpr std::size_t kOnE11 = 6;

bool isResistance(const MotorDatum& d) { return d.code == "OnE06"; }

// The drive's value as the edit's integer (before the mask puts its point in).
long long editInteger(const MotorDatum& d, std::int32_t v) {
  if (d.decimals == kPercentDatum) return std::llround(v * 100.0 / 4096);
  if (d.decimals == kTenthsDatum) return static_cast<long long>(v) * 10;
  if (isResistance(d)) return v / kResistanceScale;
  if (d.decimals == 3) return v / 10;
  return v;
}

// The mask's digits filled from the right with `n`, the point where the mask has it.
std::string masked(std::string_view mask, long long n) {
  int digits = 0;
  for (const char c : mask) digits += c == '#';
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", digits, n);
  std::string all(buf);
  std::string out;
  std::size_t k = all.size() - static_cast<std::size_t>(digits);  // more digits than the mask: keep them
  out.append(all, 0, k);
  for (const char c : mask) out += c == '#' ? all[k++] : c;
  return out;
}

void tell(const std::string& message) {
  prompt().ask({message, text(ids::kErrorMessage), PromptIcon::Exclamation, PromptButtons::Ok});
}

}  // namespace

std::optional<std::int64_t> ParseScaledDecimal(std::string_view s, int decimals) {
  std::string digits;
  int after = -1;  // digits after the point; -1 before it
  for (const char c : s) {
    if (c == '.' && after < 0) {
      after = 0;
    } else if (c >= '0' && c <= '9') {
      digits += c;
      if (after >= 0) ++after;
    } else {
      return std::nullopt;
    }
  }
  if (digits.empty()) return std::nullopt;
  for (int i = std::max(0, after); i < decimals; ++i) digits += '0';
  std::int64_t v = 0;
  for (const char c : digits) {
    if (v > (std::numeric_limits<std::int64_t>::max() - 9) / 10) return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

bool MotorDatum::within(const Range& r, std::int64_t v) const {
  if (decimals != kPercentDatum) return r.contains(static_cast<long>(v));
  const double percent = static_cast<double>(v) / kThrustWordsPerPercent;
  return percent >= r.min && percent <= r.max;
}

int MotorDatum::maskDecimals() const {
  const auto dot = mask.find('.');
  return dot == std::string_view::npos ? 0 : static_cast<int>(mask.size() - dot - 1);
}

std::span<const MotorDatum> motorData() { return kData; }

const MotorDatum* findDatum(std::string_view code) {
  for (const MotorDatum& d : kData)
    if (d.code == code) return &d;
  return nullptr;
}

std::string datumText(const MotorDatum& d, std::int32_t value) {
  const long long n = editInteger(d, value);
  if (d.decimals == kPercentDatum) return std::to_string(n);
  if (isResistance(d) || d.decimals == kTenthsDatum || d.decimals == 2) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%.5lld", n);
    return d.maskDecimals() == 0 ? std::string(buf) : masked(d.mask, n);
  }
  return masked(d.mask, n);
}

std::string datumShown(const MotorDatum& d, std::int32_t value) {
  const long long n = editInteger(d, value);
  if (d.decimals == kPercentDatum) return std::to_string(n);
  char buf[32];
  std::snprintf(buf, sizeof buf, d.decimals == 3 ? "%6.2f" : "%3.2f", static_cast<double>(n) * 0.01);
  return buf;
}

std::optional<std::int64_t> datumValue(const MotorDatum& d, std::string_view t) {
  if (d.decimals == kPercentDatum || isResistance(d)) {
    const auto n = ParseScaledDecimal(t, 0);
    if (!n || t.find('.') != std::string_view::npos) return std::nullopt;
    if (d.decimals == kPercentDatum) return std::llround(static_cast<double>(*n) * kThrustWordsPerPercent);
    return *n * kResistanceScale;
  }
  const auto n = ParseScaledDecimal(t, d.decimals);
  if (!n) return std::nullopt;
  return d.decimals == kTenthsDatum ? *n / 10 : *n;
}

std::optional<std::string> typedText(const MotorDatum& d, std::string_view typed) {
  const auto dot = typed.find('.');
  const int decimals = dot == std::string_view::npos ? 0 : static_cast<int>(typed.size() - dot - 1);
  const int allowed = d.decimals == kPercentDatum ? 0 : d.maskDecimals();
  if (decimals > allowed || !ParseScaledDecimal(typed, 0)) return std::nullopt;
  std::string out(typed);
  if (allowed > 0 && dot == std::string_view::npos) out += '.';
  for (int i = decimals; i < allowed; ++i) out += '0';
  return out;
}

std::string datumOverRange(const MotorDatum& d) {
  if (d.code == "OnE05" || d.code == "OnE06") return overRangeText(std::string(d.code));
  return "over range!";
}

std::vector<std::int32_t> readMotorData(DriveOperations& ops, std::span<const std::int32_t> fallback) {
  DriveOperations::QuietFailures quiet(ops);
  std::vector<std::int32_t> values;
  for (std::size_t i = 0; i < std::size(kData); ++i) {
    const int ok = ops.readParameter(kData[i].code);
    if (ok) values.push_back(ops.lastValue());
    else if (i < kOnE11) values.push_back(kFallbackValue);
    else if (i == kOnE11) values.push_back(0);
    else values.push_back(i < fallback.size() ? fallback[i] : 0);
  }
  return values;
}

bool writeMotorData(DriveOperations& ops, std::span<const std::int64_t> values, int model, int currentModel, int* bad) {
  const PromptAnswer go = prompt().ask({text(ids::kRepowerNotice), {}, PromptIcon::Information, PromptButtons::YesNo});
  if (go != PromptAnswer::Yes) return false;
  for (std::size_t i = 0; i < std::size(kData) && i < values.size(); ++i) {
    if (kData[i].within(kData[i].write, values[i])) continue;
    if (bad) *bad = static_cast<int>(i);
    tell(datumOverRange(kData[i]));
    return false;
  }
  DriveOperations::QuietFailures quiet(ops);
  const auto write = [&ops](std::string_view code, std::int64_t v) {
    if (ops.writeParameter(code, static_cast<std::int32_t>(v))) return true;
    writeError(std::string(code));
    return false;
  };
  if (!write("OnE16", 1)) return false;
  if (model != currentModel && (!write("Cn030", model) || !write("Cn029", 1))) return false;
  for (std::size_t i = 0; i < std::size(kData) && i < values.size(); ++i)
    if (!write(kData[i].code, values[i])) return false;
  showMessage(kWriteOk);
  return true;
}

int checkForOk(std::span<const std::int64_t> values) {
  for (std::size_t i = 0; i < std::size(kData) && i < values.size(); ++i) {
    if (kData[i].within(kData[i].ok, values[i])) continue;
    tell(datumOverRange(kData[i]));
    return static_cast<int>(i);
  }
  return -1;
}

std::string_view poleStatusText(int status) {
  switch (status) {
    case 0: return "---";
    case 1: return "Tuning";
    case 2: return "OK";
    default: return "Alarm";
  }
}

}  // namespace zavo::tuning
