#pragma once
// Number arguments of zavoctl: decimal or 0x-hexadecimal, optionally negative.

#include <optional>
#include <string_view>

namespace zavo::cli {

std::optional<long> parseNumber(std::string_view text);

}  // namespace zavo::cli
