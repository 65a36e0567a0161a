#pragma once
// The custom list names a parameter by a group code and the number within the group, so that
// the same list serves both spellings of a family (qn4nn / qn5nn, Hn5nn / Hn6nn). These turn a
// catalogue entry into that pair and back.

#include <optional>

#include "params/Catalogue.h"
#include "params/DisplaySelection.h"

namespace zavo {

// Group codes of the custom list.
inline constexpr int kCustomOther = 0;
inline constexpr int kCustomCn = 1;
inline constexpr int kCustomTn = 2;
inline constexpr int kCustomSn = 3;
inline constexpr int kCustomPn3 = 4;
inline constexpr int kCustomQn = 5;
inline constexpr int kCustomHn = 6;
inline constexpr int kCustomOn = 7;
inline constexpr int kCustomPn4 = 8;
inline constexpr int kCustomEca = 9;
inline constexpr int kCustomOnT = 10;
inline constexpr int kCustomOnS = 11;
inline constexpr int kCustomOnd = 12;
inline constexpr int kCustomOnC = 13;
inline constexpr int kCustomOnA = 14;

// Group code of a document group (kCustomOther for one the list cannot hold, such as tn).
int customGroupOf(ParamGroup group);
CustomEntry customEntryOf(const catalogue::Entry& entry);
// The parameter of drive type `driveType` that a custom entry names; nothing when the type
// has no such parameter (a list kept from another drive type may name one).
std::optional<catalogue::Entry> entryOf(const CustomEntry& custom, int driveType);

}  // namespace zavo
