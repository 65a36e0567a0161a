#pragma once
// The `.onp` file: the eight parameter codes of the Online Parameter dialog's slots, one per
// line after a title line. Pure text functions plus the two file commands.

#include <array>
#include <string>
#include <string_view>

#include "params/document/AtomicFile.h"

namespace zavo {

inline constexpr int kOnlineSlotCount = 8;
using OnlineSlotCodes = std::array<std::string, kOnlineSlotCount>;

inline constexpr std::string_view kOnpTitleLine = "M7 Online Parameter v0001";
inline constexpr std::string_view kOnpExtension = "ONP";
// Nine short lines; anything much larger is not a slot file.
inline constexpr std::size_t kOnpMaxFileBytes = 64 * 1024;

std::string formatOnp(const OnlineSlotCodes& codes);
// Replaces the entries in order with the lines after the title; a short text leaves the
// remaining entries as they were.
void parseOnp(std::string_view text, OnlineSlotCodes& codes);

// True when the path is one the slot file commands accept: longer than two characters and
// ending in "ONP" in any case.
bool isOnpPath(const std::string& path);

// Writes nothing (and reports it) unless isOnpPath(path).
SaveResult writeOnpFile(const std::string& path, const OnlineSlotCodes& codes);
// False with `codes` untouched for another extension or an unreadable file.
bool readOnpFile(const std::string& path, OnlineSlotCodes& codes);

}  // namespace zavo
