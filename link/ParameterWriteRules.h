#pragma once
// The rules of a parameter write by name that hold whichever protocol carries it: the names
// never written, Cn008's selection merged into the drive's word, and what one Modbus word can
// carry. A refusal is decided before anything is sent, so a caller can refuse bad input
// without touching the line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zavo::writerules {

// The parameter whose selection shares its word with other bits.
inline constexpr std::string_view kMergedSelection = "Cn008";

// Why `name` is not written by name on the current drive type; nothing when it may be.
std::optional<std::string> refusal(std::string_view name);
// Why `displayValue` cannot go to the drive as a Modbus write of `name` (one word at the
// parameter's Modbus register); nothing when it can.
std::optional<std::string> modbusRefusal(std::string_view name, std::int32_t displayValue);

// Cn008's requested selection as the word to send, given the drive's current word: drive
// types 1 and 3 keep the bits above the two lowest; 4 and 5 travel as 6 and 7.
std::int32_t mergeSelection(std::int32_t requested, std::int32_t current, int driveType);
// Whether mergeSelection needs the current word on this drive type.
bool selectionNeedsCurrentWord(int driveType);
// The drive's Cn008 word as the selection the user sees.
std::int32_t selectionOfWord(std::int32_t word);

}  // namespace zavo::writerules
