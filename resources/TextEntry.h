#pragma once
// One entry of a text table as the language library exports it: plain C, so that the table
// can cross the shared-library boundary unchanged.

#include <stddef.h>

extern "C" {

struct ZavoText {
  unsigned id;
  const char* text;
};

// The language library's one entry point: the table, sorted by ascending id, and its size.
typedef const ZavoText* (*ZavoTextTableFn)(size_t* count);

}

namespace zavo {
// Symbol name of the entry point in the language library.
inline constexpr const char* kTextTableSymbol = "zavo_tolkar_strings";
// File name of the English language library.
inline constexpr const char* kTolkarLibrary = "libTolkar.so";
}  // namespace zavo
