#pragma once
// How the display-value pages name and show their items (Un-01 .. Un-89): the texts of the
// values, the items the configurable page offers per drive type, and the way a combo entry
// maps back to its item.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zavo::monitor {

inline constexpr int kDisplayItems = 89;
inline constexpr int kFixedPageItems = 19;  // Un-01 .. Un-19

// "%d.%02d" of hundredths: -1234 "-12.34", 5 "0.05", -5 "-0.05".
std::string hundredthsText(std::int32_t value);
// "%04XH" of the 16-bit word: a sign-extended 0x8001 shows "8001H".
std::string hexWordText(std::int32_t value);

// A value as the fixed page shows it: Un-09 in volts with two decimals, the rest "%d".
std::string fixedPageText(int item, std::int32_t value);
// The configurable page also shows the terminal and status words in hexadecimal.
std::string selectPageText(int item, std::int32_t value);

// The catalogue's code of a monitor item: prefix and two digits ("dn", 4 -> "dn04").
std::string monitorCode(const char* prefix, int item);
// "Un05", the catalogue's code of a display item, and "Un-05", its name on the pages.
std::string itemCode(int item);
std::string itemName(int item);
// The item an entry names by its last two characters ("Un-05" -> 5); 1 for an empty entry.
int itemOfEntry(std::string_view entry);
// "Un01", "Un-01", "01" or "1": the item, or 0 when the text names none of 1-89.
int parseItem(std::string_view text);

// The items the configurable page lists on `driveType`, ascending.
std::vector<int> listedItems(int driveType);
bool isListed(int item, int driveType);

}  // namespace zavo::monitor
