#pragma once
// The linear-motor set-up: the self-built motor's data (OnE05-OnE15, the model Cn030) as the
// dialog edits them, and the pole alignment's settings and state.
//
// Each motor datum is edited as text in a masked edit and converted to the drive's value by
// ParseScaledDecimal with the datum's decimals. The line-to-line resistance (OnE06) is shown
// in 10 mΩ, the drive's value divided by 10000, in an edit without decimals; its text is taken
// back × 10000 so that an unchanged field writes the value it showed.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/DriveOperations.h"
#include "tuning/RangeCheck.h"

namespace zavo::tuning {

// The integer of `text`'s digits with the decimal point moved `decimals` places to the right:
// zeros appended up to `decimals` digits after the point (or after the number without one);
// a text with more decimals keeps all its digits. Nothing for a text that is not a decimal
// number or whose value passes 64 bits.
std::optional<std::int64_t> ParseScaledDecimal(std::string_view text, int decimals);

struct MotorDatum {
  std::string_view code;
  std::string_view mask;  // the edit's mask: '#' a digit
  int decimals;           // of ParseScaledDecimal (-1: an integer percent)
  Range write;            // accepted on "Write" (OnE11: in percent)
  Range ok;               // accepted on OK
  int maskDecimals() const;
  // Whether the drive's value `v` lies in `r` (OnE11's word compared as its percent).
  bool within(const Range& r, std::int64_t v) const;
};
// OnE05-OnE10, OnE11, OnE14, OnE15 in display order.
std::span<const MotorDatum> motorData();
const MotorDatum* findDatum(std::string_view code);

// The edit's text for the drive's value (the masked edit's digits and point) and the value
// shown beside it.
std::string datumText(const MotorDatum& d, std::int32_t value);
std::string datumShown(const MotorDatum& d, std::int32_t value);
// The drive's value of an edit's text (OnE11's percent made the drive's word: × 4096 / 100);
// nothing when the text is no number.
std::optional<std::int64_t> datumValue(const MotorDatum& d, std::string_view text);
// A text as typed by hand (zavoctl): the number padded to the mask's decimals. Nothing when
// it has more decimals than the field takes, or is no number.
std::optional<std::string> typedText(const MotorDatum& d, std::string_view typed);

// "OnE05 over range!", "OnE06 over range!", plain "over range!" for the others.
std::string datumOverRange(const MotorDatum& d);

// Reads the drive's value of every datum (by name); a failed read leaves the default (100
// for OnE05-OnE10, 0 for OnE11; OnE14 and OnE15 keep `fallback`).
std::vector<std::int32_t> readMotorData(DriveOperations& ops, std::span<const std::int32_t> fallback);

// "Write": the drive's values checked against the Write ranges (the first outside told, its
// index returned through `bad`), then OnE16 = 1, Cn030 and Cn029 = 1 when the model changes,
// every datum; "Write OK!" at the end. False at the first failure, which is told.
bool writeMotorData(DriveOperations& ops, std::span<const std::int64_t> values, int model, int currentModel,
                    int* bad = nullptr);
// OK: the values checked against the OK ranges; the index of the first outside (told), or -1.
int checkForOk(std::span<const std::int64_t> values);

// ---- Pole alignment -----------------------------------------------------------------------
// 66B as the dialog shows it: "---", "Tuning", "OK", "Alarm".
std::string_view poleStatusText(int status);
inline constexpr Range kPoleOnRange{0, 1};
inline constexpr Range kPoleCurrentRange{0, 16384};

}  // namespace zavo::tuning
