#pragma once
// The range checks of the tuning dialogs and what they say when a value is outside: "Over
// Range!!" and the range, titled "Error Message", or a parameter's own "… over range!".

#include <optional>
#include <string>

namespace zavo::tuning {

struct Range {
  long min = 0;
  long max = 0;
  bool contains(long v) const { return v >= min && v <= max; }
  // "0~3000"
  std::string text() const;
};

// Shows "Over Range!!\n\nRange:" + the range (warning icon) when `value` is outside; true
// when it is inside.
bool checkRange(long value, const Range& r);
// "<name> over range!" titled "Error Message".
void overRange(const std::string& name);
// "<name> write error!" titled "Error Message".
void writeError(const std::string& name);
std::string overRangeText(const std::string& name);
std::string writeErrorText(const std::string& name);

}  // namespace zavo::tuning
