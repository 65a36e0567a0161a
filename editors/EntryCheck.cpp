#include "editors/EntryCheck.h"

namespace zavo {
namespace {

// Eleven significant digits already lie beyond every 32-bit value.
constexpr int kSignificantMax = 11;
constexpr std::int64_t kBeyond = std::int64_t{1} << 40;

}  // namespace

std::optional<std::int64_t> entryNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  std::int64_t v = 0;
  int significant = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    if (significant == 0 && c == '0') continue;
    if (++significant > kSignificantMax) {
      v = kBeyond;
      continue;  // the rest must still be digits
    }
    v = v * 10 + (c - '0');
  }
  return negative ? -v : v;
}

std::optional<std::int32_t> checkedEntry(std::string_view text, EntryRange range) {
  const auto v = entryNumber(text);
  if (!v || !range.holds(*v)) return std::nullopt;
  return static_cast<std::int32_t>(*v);
}

}  // namespace zavo
