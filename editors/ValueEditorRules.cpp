#include "editors/ValueEditorRules.h"

#include <cctype>
#include <limits>

#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"

namespace zavo {
namespace {

constexpr int kDecimalDigitsMax = 10;  // beyond this no 32-bit value remains
constexpr int kHexDigitsMax = 8;
constexpr int kM7RDriveType = 3;

constexpr std::string_view kEncoderOutput = "Cn005";
constexpr std::string_view kInhibitMode = "Cn009";
constexpr std::string_view kMonitorScale = "Cn059";
constexpr std::string_view kHomeOffset = "Pn354";

// Cn009 = 1 (CW/CCW inhibit on the M7-R), Cn059 = 1 and Pn354 = 1-63 (the home offset on the
// M7 family) lie within the limits but are values the drive does not take.
constexpr std::int32_t kInhibitRefused = 1;
constexpr std::int32_t kMonitorScaleRefused = 1;
constexpr std::int32_t kHomeOffsetRefusedFirst = 1;
constexpr std::int32_t kHomeOffsetRefusedLast = 63;
constexpr const char* kMonitorScaleLabel = "(0,2,3)";
constexpr const char* kHomeOffsetLabel = "(0,64~8388608)";

// Cn005 divides the encoder by a power of two: just above each power of two lies a band of
// values the drive cannot divide to.
struct Band {
  std::int32_t first, last;
};
constexpr Band kEncoderOutputRefused[] = {{16385, 16385},     {32769, 32771},     {65537, 65543},
                                          {131073, 131087},   {262145, 262175},   {524289, 524351},
                                          {1048577, 1048703}};

std::string_view trimmed(std::string_view t) {
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
  return t;
}

// The number in `t`; nothing when `t` is not a number at all; a value beyond 32 bits comes
// back as such (the range check refuses it).
std::optional<std::int64_t> parse(std::string_view t, bool hex) {
  bool negative = false;
  if (!hex && !t.empty() && t.front() == '-') {
    negative = true;
    t.remove_prefix(1);
  }
  if (t.empty()) return std::nullopt;
  const int base = hex ? 16 : 10;
  const std::size_t digitsMax = hex ? kHexDigitsMax : kDecimalDigitsMax;
  std::int64_t v = 0;
  std::size_t significant = 0;
  for (char c : t) {
    const auto u = static_cast<unsigned char>(c);
    const bool digit = hex ? std::isxdigit(u) != 0 : std::isdigit(u) != 0;
    if (!digit) return std::nullopt;
    const int d = std::isdigit(u) ? c - '0' : std::toupper(u) - 'A' + 10;
    if (significant == 0 && d == 0) continue;
    // Too many digits is still a number, only far out of range.
    if (++significant > digitsMax) return std::numeric_limits<std::int64_t>::max();
    v = v * base + d;
  }
  return negative ? -v : v;
}

bool refusedWithinLimits(const ValueEditorSubject& s, std::int32_t v) {
  if (s.code == kInhibitMode) return s.driveType == kM7RDriveType && v == kInhibitRefused;
  if (s.code == kMonitorScale) return v == kMonitorScaleRefused;
  if (s.code == kHomeOffset)
    return s.driveType >= protocol::kFirstM7DriveType && v >= kHomeOffsetRefusedFirst && v <= kHomeOffsetRefusedLast;
  if (s.code == kEncoderOutput) {
    for (const Band& b : kEncoderOutputRefused)
      if (v >= b.first && v <= b.last) return true;
  }
  return false;
}

}  // namespace

bool hexEntry(std::string_view code) { return (catalogue::attributes(code) & catalogue::kHexDigitsBit) != 0; }

std::optional<std::int64_t> parseEntry(std::string_view code, std::string_view text) {
  return parse(trimmed(text), hexEntry(code));
}

ValueVerdict judgeNumber(const ValueEditorSubject& s, std::int64_t number) {
  if (number < s.min || number > s.max) return ValueVerdict::OutOfRange;
  return refusedWithinLimits(s, static_cast<std::int32_t>(number)) ? ValueVerdict::OutOfRange : ValueVerdict::Accepted;
}

ValueVerdict judgeValue(const ValueEditorSubject& s, std::string_view text, std::int32_t& value) {
  const auto number = parseEntry(s.code, text);
  if (!number) return ValueVerdict::BadText;
  const ValueVerdict verdict = judgeNumber(s, *number);
  if (verdict == ValueVerdict::Accepted) value = static_cast<std::int32_t>(*number);
  return verdict;
}

std::string rangeLabel(const ValueEditorSubject& s) {
  if (s.code == kMonitorScale) return kMonitorScaleLabel;
  if (s.code == kHomeOffset && s.driveType >= protocol::kFirstM7DriveType) return kHomeOffsetLabel;
  const std::string range = catalogue::rangeText(s.code, s.min, s.max);
  return range.empty() ? range : "(" + range + ")";
}

std::string entryText(const ValueEditorSubject& s, std::int32_t value) {
  return hexEntry(s.code) ? catalogue::valueText(s.code, value) : std::to_string(value);
}

}  // namespace zavo
