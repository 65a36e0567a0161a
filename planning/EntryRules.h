#pragma once
// The rules of the position programming's number edits: what a typed text is worth and
// whether the edit keeps it or goes back to its previous text.

#include <cstdint>
#include <optional>
#include <string_view>

#include "planning/PositionTable.h"

namespace zavo::planning {

// A whole decimal number, optionally signed; nothing for anything else (or more digits than
// any entry holds).
std::optional<std::int64_t> parseEntry(std::string_view text);
// An edit keeps a text that is on its way to a number in range: empty, a lone minus sign
// (when the range goes below 0) or a number in range. Anything else reverts.
bool entryAcceptable(std::string_view text, const Range& range);
// The value OK takes from an edit: its number, 0 for a text that is none.
std::int64_t entryValue(std::string_view text);

}  // namespace zavo::planning
