#pragma once
// How the drive names its registers on the line: a page character and an address in the page
// (R and W frames), or a 16-bit register number (B and P frames: page digit × 0x100 +
// address, e.g. 0x9F6 or 0xC42).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/Protocol.h"

namespace zavo::sim {

using protocol::RegisterRef;

// Pages '0'-'9' and 'A'-'G'.
inline constexpr int kPageCount = 17;
inline constexpr int kPageSize = 0x100;

// 0-16 for a page character (the numeric synonyms 0x05 and 0x0C included), -1 for none.
int pageIndexOf(int pageCharacter);
// The page character of index 0-16.
int pageCharacterOf(int pageIndex);
// A register as a request frame names it; nullopt when the page does not exist.
std::optional<RegisterRef> registerAt(int pageCharacter, int address);
// A register by its 16-bit number; nullopt when the page digit names no page.
std::optional<RegisterRef> registerOfNumber(int number);
int numberOfRegister(RegisterRef r);
// A register as people write it: the page character and two hex digits ("C27", "51A", "d20");
// nullopt for anything else.
std::optional<RegisterRef> registerOfText(std::string_view text);
// "C27" for page 'C', address 0x27.
std::string textOfRegister(RegisterRef r);

}  // namespace zavo::sim
