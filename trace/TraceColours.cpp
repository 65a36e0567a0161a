#include "trace/TraceColours.h"

namespace zavo::trace {
namespace {

constexpr Rgb kTable[kColourCount] = {
    {255, 0, 0},   {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
    {0, 255, 255}, {0, 128, 128},   {128, 0, 128},   {192, 192, 192}, {255, 255, 128},
    {0, 255, 128}, {128, 255, 255}, {128, 128, 255}, {255, 0, 128},   {255, 128, 64},
};
constexpr Rgb kWhite{255, 255, 255};
constexpr int kByte = 8;
constexpr std::uint32_t kByteMask = 0xFF;

}  // namespace

Rgb colourOf(int index) { return index >= 0 && index < kColourCount ? kTable[index] : kWhite; }

std::uint32_t rgbWord(const Rgb& c) {
  return (static_cast<std::uint32_t>(c.r) & kByteMask) | ((static_cast<std::uint32_t>(c.g) & kByteMask) << kByte) |
         ((static_cast<std::uint32_t>(c.b) & kByteMask) << (2 * kByte));
}

std::uint32_t colourWord(int index) { return rgbWord(colourOf(index)); }

Rgb rgbOfWord(std::uint32_t w) {
  return Rgb{static_cast<int>(w & kByteMask), static_cast<int>((w >> kByte) & kByteMask),
             static_cast<int>((w >> (2 * kByte)) & kByteMask)};
}

int colourIndexOf(std::uint32_t word) {
  for (int i = 0; i < kColourCount; ++i)
    if (colourWord(i) == word) return i;
  return -1;
}

}  // namespace zavo::trace
