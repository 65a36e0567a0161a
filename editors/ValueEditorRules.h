#pragma once
// What the value editor accepts for one parameter: a whole number within the parameter's
// limits, typed in decimal (digits with an optional leading '-'), or in hexadecimal for the
// parameters the list shows digit by digit, with a few values that the drive refuses although
// they lie within the limits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zavo {

struct ValueEditorSubject {
  std::string code;
  std::int32_t min = 0;
  std::int32_t max = 0;
  int driveType = 2;
};

enum class ValueVerdict {
  Accepted,
  BadText,     // not a number: left in the box for correction
  OutOfRange,  // a number the parameter cannot take: "Out of range!"
};

// True for the parameters whose value is shown and typed in hexadecimal.
bool hexEntry(std::string_view code);
// The number typed in `text` (decimal, or hexadecimal for hexEntry codes), limits aside;
// nothing when it is not a number. A number beyond 32 bits comes back as such.
std::optional<std::int64_t> parseEntry(std::string_view code, std::string_view text);
// The verdict on `text`; on Accepted `value` holds the number.
ValueVerdict judgeValue(const ValueEditorSubject& subject, std::string_view text, std::int32_t& value);
// The verdict on a number already read (limits and the values the drive refuses).
ValueVerdict judgeNumber(const ValueEditorSubject& subject, std::int64_t number);
// The range label: "(min~max)", or the set of values the drive really takes where that differs.
std::string rangeLabel(const ValueEditorSubject& subject);
// The value as the edit box shows it first.
std::string entryText(const ValueEditorSubject& subject, std::int32_t value);

}  // namespace zavo
