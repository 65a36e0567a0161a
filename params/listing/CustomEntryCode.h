#pragma once
// The custom parameter list keeps each parameter as (group code, number) so that the list
// survives in ZavoServo.ini as plain numbers. These two functions turn a parameter code into
// such an entry and back; the code comes back spelled for the drive type (qn4nn/Hn5nn on
// types 0 and 1, qn5nn/Hn6nn on 2-4), so one list serves every drive family.

#include <optional>
#include <string>
#include <string_view>

#include "params/listing/DisplaySelection.h"

namespace zavo {

// The group codes of the custom list.
namespace customgroup {
inline constexpr int kOther = 0;
inline constexpr int kCn = 1;
inline constexpr int kTn = 2;
inline constexpr int kSn = 3;
inline constexpr int kPn3 = 4;
inline constexpr int kQn = 5;
inline constexpr int kHn = 6;
inline constexpr int kOtherOn = 7;
inline constexpr int kPn4 = 8;
inline constexpr int kECA = 9;
inline constexpr int kOnT = 10;
inline constexpr int kOnS = 11;
inline constexpr int kOnd = 12;
inline constexpr int kOnC = 13;
inline constexpr int kOnA = 14;
}  // namespace customgroup

// The entry of a parameter code; group 0 for a code outside every listed group (its number
// is still the code's last two digits, or 0 when it has none).
CustomEntry customEntryOf(std::string_view code);
// The code an entry names on `driveType`; nullopt for group 0, a group code the list does not
// know, or a number outside 0-99 (a damaged settings file must not name a wild parameter).
std::optional<std::string> codeOfCustomEntry(const CustomEntry& entry, int driveType);

}  // namespace zavo
