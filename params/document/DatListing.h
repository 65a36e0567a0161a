#pragma once
// The `.dat` register listing: the drive's RAM image as an assembler-style data listing, one
// word per line, written by Copy to Computer and read back by Copy to Device. Pure text
// functions, so the transfer commands, zavoctl and the tests share them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zavo {

inline constexpr std::string_view kDatExtension = "DAT";
// The first line of every listing we write; a listing is recognised by the marker in it.
inline constexpr std::string_view kDatHeaderLine = "; Zavo Servo v0.1.151225";
inline constexpr std::string_view kDatMarker = "Zavo Servo";
// How far past the first ';' of the first line the marker is looked for.
inline constexpr std::size_t kDatMarkerWindow = 24;
// Far above any listing we write (about 20 kB for 512 words); larger files are not listings.
inline constexpr std::size_t kDatMaxFileBytes = 1 << 20;

enum class DatImportStatus { Ok, WrongExtension, CannotOpen, TooLarge, NoMarker, BadValue, WrongCount };

// The listing of image[0..wordCount): three header lines, then one line per word, with an
// empty line after every sixteenth. Only the low 16 bits of each word are written.
std::string formatRamListing(std::span<const std::int32_t> image, int wordCount);

// Parses a listing that must hold exactly `wordCount` values (the drive type's image size,
// protocol::imageWordsOf). On Ok `words` holds them,
// sign-extended from 16 bits; on any other status `words` is left untouched.
DatImportStatus parseRamListing(std::string_view text, int wordCount, std::vector<std::int32_t>& words);

// The file's extension (after the last '.' of its name), compared without regard to case.
bool hasExtension(const std::string& path, std::string_view upperCaseExtension);

// Checks the extension, reads the file (bounded) and parses it.
DatImportStatus readRamListingFile(const std::string& path, int wordCount, std::vector<std::int32_t>& words);

}  // namespace zavo
