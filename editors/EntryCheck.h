#pragma once
// The entry check of the application pages' edit fields: on every change the new text must be
// a whole decimal number within the row's range, or the field keeps its previous text. An
// empty field and a lone '-' read as 0, as the pages always have, so that a field can be
// cleared or a sign typed first where 0 is a value the row takes.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zavo {

struct EntryRange {
  std::int32_t min = 0;
  std::int32_t max = 0;
  bool holds(std::int64_t v) const { return v >= min && v <= max; }
};

// The number in `text`; nothing when the text is not a signed decimal number. A number beyond
// 32 bits comes back as such (no range holds it).
std::optional<std::int64_t> entryNumber(std::string_view text);
// The value of `text` when it is a number within `range`.
std::optional<std::int32_t> checkedEntry(std::string_view text, EntryRange range);

}  // namespace zavo
