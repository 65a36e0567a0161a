#include "sim/FaultPlan.h"

#include <charconv>
#include <cstdio>

namespace zavo::sim {
namespace {

// Long enough for any sensible test, short enough that a typo cannot hang a run for days.
constexpr int kMaxMilliseconds = 600000;
constexpr int kMaxRequests = 1000000000;

bool fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool parseProbability(std::string_view v, double& out) {
  const std::string s(v);
  char* end = nullptr;
  const double p = std::strtod(s.c_str(), &end);
  if (s.empty() || end != s.c_str() + s.size() || !(p >= 0 && p <= 1)) return false;
  out = p;
  return true;
}

bool parseCount(std::string_view v, int lo, int hi, int& out) {
  int n = 0;
  const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (v.empty() || ec != std::errc{} || ptr != v.data() + v.size() || n < lo || n > hi) return false;
  out = n;
  return true;
}

bool apply(FaultPlan& f, std::string_view key, std::string_view value, std::string* error) {
  const std::string k(key);
  if (k == "drop" || k == "corrupt" || k == "refuse" || k == "garbage") {
    double& slot = k == "drop" ? f.drop : k == "corrupt" ? f.corrupt : k == "refuse" ? f.refuse : f.garbage;
    return parseProbability(value, slot) || fail(error, k + " needs a probability from 0 to 1");
  }
  if (k == "delay-ms")
    return parseCount(value, 0, kMaxMilliseconds, f.delayMs) || fail(error, "delay-ms needs milliseconds");
  if (k == "unplug-after")
    return parseCount(value, 1, kMaxRequests, f.unplugAfter) || fail(error, "unplug-after needs a request count of 1 or more");
  if (k == "replug-ms")
    return parseCount(value, 0, kMaxMilliseconds, f.replugMs) || fail(error, "replug-ms needs milliseconds");
  if (k == "refuse-reg") {
    const auto r = registerOfText(value);
    if (!r) return fail(error, "refuse-reg needs a register as page and two hex digits (C27)");
    f.refusedRegisters.push_back(*r);
    return true;
  }
  return fail(error, "unknown fault '" + k + "'");
}

}  // namespace

bool FaultPlan::any() const {
  return drop > 0 || corrupt > 0 || refuse > 0 || garbage > 0 || delayMs > 0 || unplugAfter > 0 || echo ||
         !refusedRegisters.empty();
}

std::optional<FaultPlan> FaultPlan::parse(std::string_view text, std::string* error) {
  FaultPlan f;
  while (!text.empty()) {
    const auto comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    if (item.empty()) continue;
    const auto eq = item.find('=');
    if (item == "echo") {
      f.echo = true;
      continue;
    }
    if (eq == std::string_view::npos) {
      fail(error, "fault '" + std::string(item) + "' needs =value");
      return std::nullopt;
    }
    if (!apply(f, item.substr(0, eq), item.substr(eq + 1), error)) return std::nullopt;
  }
  if (f.replugMs >= 0 && f.unplugAfter == 0) {
    fail(error, "replug-ms needs unplug-after");
    return std::nullopt;
  }
  return f;
}

std::string FaultPlan::text() const {
  char buf[200];
  std::snprintf(buf, sizeof buf, "drop=%g,corrupt=%g,refuse=%g,garbage=%g,delay-ms=%d,unplug-after=%d,replug-ms=%d",
                drop, corrupt, refuse, garbage, delayMs, unplugAfter, replugMs);
  std::string out = buf;
  for (const RegisterRef r : refusedRegisters) out += ",refuse-reg=" + textOfRegister(r);
  if (echo) out += ",echo";
  return out;
}

}  // namespace zavo::sim
