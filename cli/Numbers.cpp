#include "cli/Numbers.h"

#include <charconv>
#include <limits>

namespace zavo::cli {

std::optional<long> parseNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  unsigned long long v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (v > static_cast<unsigned long long>(std::numeric_limits<long>::max())) return std::nullopt;
  const long value = static_cast<long>(v);
  return negative ? -value : value;
}

}  // namespace zavo::cli
