#pragma once
// Text inside zavoctl's JSON output: quoted and escaped, whatever bytes it holds.

#include <string>
#include <string_view>

namespace zavo::cli {

// `s` as a JSON string with its quotes. Control characters, quotes and backslashes are
// escaped; a byte that is not part of valid UTF-8 (a hand-edited file) is taken as Latin-1,
// so the output is valid JSON for any input.
std::string jsonString(std::string_view s);

}  // namespace zavo::cli
