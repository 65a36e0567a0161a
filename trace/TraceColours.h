#pragma once
// The fifteen trace colours the settings choose from by index. Colours travel in the view's
// settings block, trace.ini and the trace files as RGB words laid out R + 256 × G + 65536 × B.

#include <cstdint>

namespace zavo::trace {

inline constexpr int kColourCount = 15;

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour of table index `index`; white for any index outside 0-14.
Rgb colourOf(int index);
// As the RGB word of the files.
std::uint32_t rgbWord(const Rgb& c);
std::uint32_t colourWord(int index);
Rgb rgbOfWord(std::uint32_t word);
// The table index of an RGB word, -1 when the table has no such colour.
int colourIndexOf(std::uint32_t word);

}  // namespace zavo::trace
