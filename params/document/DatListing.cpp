#include "params/document/DatListing.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "params/document/BoundedFileRead.h"

namespace zavo {
namespace {

constexpr int kWordsPerBlock = 16;
constexpr std::string_view kValuePrefix = "H'";
constexpr std::size_t kValueDigits = 4;
constexpr char kCommentStart = ';';

// Splits off the next line (without its '\n' and a '\r' before it) from `rest`.
std::string_view nextLine(std::string_view& rest) {
  const auto end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool hasMarker(std::string_view firstLine) {
  const auto semi = firstLine.find(kCommentStart);
  if (semi == std::string_view::npos) return false;
  return firstLine.substr(semi, 1 + kDatMarkerWindow).find(kDatMarker) != std::string_view::npos;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

// The four hexadecimal digits after "H'", sign-extended; false when they are not four digits
// (such a value would otherwise reach the drive as a guess).
bool parseValue(std::string_view digits, std::int32_t& out) {
  if (digits.size() < kValueDigits) return false;
  unsigned v = 0;
  for (std::size_t i = 0; i < kValueDigits; ++i) {
    const int d = hexDigit(digits[i]);
    if (d < 0) return false;
    v = v << 4 | static_cast<unsigned>(d);
  }
  out = static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
  return true;
}

}  // namespace

std::string formatRamListing(std::span<const std::int32_t> image, int wordCount) {
  std::string out;
  out.append(kDatHeaderLine).append("\n;\n;\n");
  const int n = std::min<int>(wordCount, static_cast<int>(image.size()));
  char line[64];
  for (int i = 0; i < n; ++i) {
    // Masked: an imported word is held sign-extended, and all eight digits of a negative
    // value would read back as a different word.
    const unsigned word = static_cast<std::uint32_t>(image[static_cast<std::size_t>(i)]) & 0xFFFFu;
    std::snprintf(line, sizeof line, "\t.DATA.W   H'%04X   ;%04X   \n", word, static_cast<unsigned>(i));
    out.append(line);
    if ((i + 1) % kWordsPerBlock == 0) out.push_back('\n');
  }
  return out;
}

DatImportStatus parseRamListing(std::string_view text, int wordCount, std::vector<std::int32_t>& words) {
  std::string_view rest = text;
  if (!hasMarker(nextLine(rest))) return DatImportStatus::NoMarker;
  std::vector<std::int32_t> values;
  values.reserve(static_cast<std::size_t>(std::max(wordCount, 0)));
  int count = 0;
  while (!rest.empty()) {
    const std::string_view line = nextLine(rest);
    const auto at = line.find(kValuePrefix);
    if (at == std::string_view::npos) continue;
    const auto semi = line.find(kCommentStart);
    if (semi != std::string_view::npos && semi < at) continue;  // commented out
    std::int32_t v = 0;
    if (!parseValue(line.substr(at + kValuePrefix.size()), v)) return DatImportStatus::BadValue;
    // Counted to the end so that a listing that is too long is refused, but never stored
    // beyond the image.
    if (count < wordCount) values.push_back(v);
    if (++count > wordCount) return DatImportStatus::WrongCount;
  }
  if (count != wordCount) return DatImportStatus::WrongCount;
  words = std::move(values);
  return DatImportStatus::Ok;
}

bool hasExtension(const std::string& path, std::string_view upperCaseExtension) {
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string_view ext = std::string_view(path).substr(dot + 1);
  if (ext.size() != upperCaseExtension.size()) return false;
  for (std::size_t i = 0; i < ext.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(ext[i])) != upperCaseExtension[i]) return false;
  return true;
}

DatImportStatus readRamListingFile(const std::string& path, int wordCount, std::vector<std::int32_t>& words) {
  if (!hasExtension(path, kDatExtension)) return DatImportStatus::WrongExtension;
  std::string text;
  switch (readFileBounded(path, kDatMaxFileBytes, text)) {
    case FileReadStatus::Ok: break;
    case FileReadStatus::TooLarge: return DatImportStatus::TooLarge;
    default: return DatImportStatus::CannotOpen;
  }
  return parseRamListing(text, wordCount, words);
}

}  // namespace zavo
