// The language library's only entry point: its text table, for the program's loader.

#include <span>

#include "resources/TextEntry.h"

namespace zavo {
std::span<const ZavoText> englishStrings();
}

extern "C" __attribute__((visibility("default"))) const ZavoText* zavo_tolkar_strings(size_t* count) {
  const auto table = zavo::englishStrings();
  if (count) *count = table.size();
  return table.data();
}
