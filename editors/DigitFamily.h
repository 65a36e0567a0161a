#pragma once
// The members of the digit-editor family as data: per parameter and drive type, the dialog
// resource, the range label and the list texts of each field. Internal to the digit editors:
// others ask through DigitLayout.h.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "editors/DigitLayout.h"

namespace zavo::digits {

// Drive types a member applies to, one bit per type (bit t = type t).
using Types = std::uint8_t;
inline constexpr Types kOlder = 0x03;  // 0 and 1
inline constexpr Types kType1 = 0x02;
inline constexpr Types kType3 = 0x08;
inline constexpr Types kM7 = 0x1C;     // 2, 3 and 4
inline constexpr Types kAll = 0x1F;
constexpr bool applies(Types types, int driveType) {
  return driveType >= 0 && driveType < 8 && (types >> driveType & 1) != 0;
}

using Items = std::span<const char* const>;

struct Member {
  int resource;
  const char* code;  // as the member's drive types spell it
  Types types;
  DigitEditorKind kind;
  const char* label;
  // Digits: the list texts of digits .0-.3 (empty: a digit the parameter does not use);
  // List and Rigidity: the one list in [0], entry k meaning the value k (Rigidity: k + 1).
  std::array<Items, 4> items;
};

std::span<const Member> members();
// Parameters whose packed digits have no texts of their own: they take the generic
// four-digit editor when the drive type shows them in hexadecimal.
std::span<const char* const> genericCodes();

// Generic digit editors, one per family of drive types, and the function editor.
inline constexpr int kIddGenericDigitsOlder = 218;
inline constexpr int kIddGenericDigitsM7 = 1254;
inline constexpr int kIddFunction = 267;
inline constexpr int kIddInputLogicBits6 = 280;
inline constexpr int kIddInputLogicBits12 = 277;

}  // namespace zavo::digits
