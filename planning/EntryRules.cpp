#include "planning/EntryRules.h"

namespace zavo::planning {
namespace {
constexpr std::size_t kMaxDigits = 12;
}  // namespace

std::optional<std::int64_t> parseEntry(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
  std::int64_t v = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return negative ? -v : v;
}

bool entryAcceptable(std::string_view text, const Range& range) {
  if (text.empty()) return true;
  if (text == "-") return range.min < 0;
  const auto v = parseEntry(text);
  return v && range.holds(*v);
}

std::int64_t entryValue(std::string_view text) { return parseEntry(text).value_or(0); }

}  // namespace zavo::planning
