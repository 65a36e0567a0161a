#include "editors/OnlineStep.h"

#include <algorithm>

#include "params/catalogue/Catalogue.h"

namespace zavo {
namespace {

constexpr int kWideKinds[] = {2, 3, 7};
constexpr std::int64_t kDecimalFirst = 10000;  // every kind's first button
constexpr std::int64_t kWideLargest = 100000000;
constexpr std::int64_t kDigitLargest = 0x1000;
constexpr std::int64_t kDigitMask = 0xF;

bool wideKind(int kind) { return std::find(std::begin(kWideKinds), std::end(kWideKinds), kind) != std::end(kWideKinds); }

// The digit a digit step moves: its mask within the word (0xF, 0xF0, 0xF00 or 0xF000).
std::int64_t maskOf(std::int64_t size) { return kDigitMask * size; }

}  // namespace

OnlineStepping steppingOf(std::uint32_t attributes) {
  OnlineStepping s;
  s.wide = wideKind(catalogue::editorKind(attributes));
  s.hex = !s.wide && (attributes & catalogue::kHexDigitsBit) != 0;
  if (s.wide) {
    for (std::int64_t size = kWideLargest; size >= 1; size /= 10) s.steps.push_back({size, false});
  } else if (s.hex) {
    // The first button steps a hexadecimal value by ten thousand, as a decimal step.
    s.steps.push_back({kDecimalFirst, false});
    for (std::int64_t size = kDigitLargest; size >= 1; size /= 0x10) s.steps.push_back({size, true});
  } else {
    for (std::int64_t size = kDecimalFirst; size >= 1; size /= 10) s.steps.push_back({size, false});
  }
  return s;
}

std::optional<OnlineStep> stepOfSize(const OnlineStepping& stepping, std::int64_t size) {
  for (const OnlineStep& s : stepping.steps)
    if (s.size == size) return s;
  return std::nullopt;
}

std::optional<std::int32_t> steppedValue(std::int32_t value, OnlineStep step, bool up, std::int32_t limit) {
  // In 64 bits: a wide step near the end of the 32-bit range must clamp, not wrap.
  const std::int64_t v = value, lim = limit, s = step.size;
  if (!step.digit) {
    if (up ? v >= lim : v <= lim) return std::nullopt;
    return static_cast<std::int32_t>(up ? std::min(v + s, lim) : std::max(v - s, lim));
  }
  const std::int64_t mask = maskOf(s);
  const std::int64_t digit = v & mask, limitDigit = lim & mask;
  if (digit == limitDigit) return std::nullopt;
  const std::int64_t others = v & ~mask;
  // A digit already beyond the limit's digit is put on it; otherwise it moves by one. Either
  // way the other digits stay as they are.
  if (up) return static_cast<std::int32_t>(limitDigit < digit + s ? others | limitDigit : v + s);
  return static_cast<std::int32_t>(digit - s < limitDigit ? others | limitDigit : v - s);
}

}  // namespace zavo
