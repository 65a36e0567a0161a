#pragma once
// The steps of the Online Parameter dialog: which step buttons a parameter's slot offers, and
// the value one step gives. Decimal steps clamp to the limit; hexadecimal steps move one digit
// and never carry into its neighbours, bounded by the limit's own digit.

#include <cstdint>
#include <optional>
#include <vector>

namespace zavo {

struct OnlineStep {
  std::int64_t size = 1;
  bool digit = false;  // a hexadecimal digit step (0x1, 0x10, 0x100, 0x1000)
  bool operator==(const OnlineStep&) const = default;
};

// How a slot shows its value and steps it, from the parameter's attribute word.
struct OnlineStepping {
  bool wide = false;  // editor kinds 2, 3 and 7: nine digits
  bool hex = false;   // shown and stepped digit by digit
  // Largest first, as the buttons stand from left to right.
  std::vector<OnlineStep> steps;
};
OnlineStepping steppingOf(std::uint32_t attributes);

// The step of `stepping` whose size is `size`; nothing when the slot offers no such step.
std::optional<OnlineStep> stepOfSize(const OnlineStepping& stepping, std::int64_t size);

// The value after one step up (towards `limit`, the maximum) or down (`limit` the minimum);
// nothing when the value already stands at the limit ("Over Range!!").
std::optional<std::int32_t> steppedValue(std::int32_t value, OnlineStep step, bool up, std::int32_t limit);

}  // namespace zavo
