// The pages' entry check on arbitrary text: bounded, refuses every text that is not a signed
// decimal number, and what it accepts lies within the range and reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "editors/EntryCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::int32_t bounds[2];
  std::memcpy(bounds, data, sizeof bounds);
  const zavo::EntryRange range{bounds[0] < bounds[1] ? bounds[0] : bounds[1], bounds[0] < bounds[1] ? bounds[1] : bounds[0]};
  const std::string_view text(reinterpret_cast<const char*>(data) + 8, size - 8);
  const auto number = zavo::entryNumber(text);
  const std::string_view digits = !text.empty() && text.front() == '-' ? text.substr(1) : text;
  const bool wellFormed = digits.find_first_not_of("0123456789") == std::string_view::npos;
  if (number.has_value() != wellFormed) std::abort();
  const auto accepted = zavo::checkedEntry(text, range);
  if (accepted && !range.holds(*accepted)) std::abort();
  if (accepted && *zavo::entryNumber(std::to_string(*accepted)) != *accepted) std::abort();
  if (accepted && number && *number != *accepted) std::abort();
  return 0;
}
