#include "params/listing/CustomEntryCode.h"

#include <array>
#include <utility>

#include "params/catalogue/ParameterCode.h"

namespace zavo {
namespace {

using catalogue::Family;

// Group code by family; the monitor families and tn have none.
constexpr std::array<std::pair<Family, int>, 15> kGroupOfFamily{{
    {Family::Cn, customgroup::kCn},
    {Family::Tn, customgroup::kTn},
    {Family::Sn, customgroup::kSn},
    {Family::Pn3, customgroup::kPn3},
    {Family::qn, customgroup::kQn},
    {Family::Hn, customgroup::kHn},
    {Family::OnE, customgroup::kOtherOn},
    {Family::Pn4, customgroup::kPn4},
    {Family::ECA, customgroup::kECA},
    {Family::OnT, customgroup::kOnT},
    {Family::OnS, customgroup::kOnS},
    {Family::Ond, customgroup::kOnd},
    {Family::OnC, customgroup::kOnC},
    {Family::OnA, customgroup::kOnA},
    {Family::tn, customgroup::kOther},
}};

int lastTwoDigits(std::string_view code) {
  if (code.size() < 2) return 0;
  const char a = code[code.size() - 2];
  const char b = code[code.size() - 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return 0;
  return (a - '0') * 10 + (b - '0');
}

}  // namespace

CustomEntry customEntryOf(std::string_view code) {
  const auto key = catalogue::parseCode(code);
  if (!key) return {customgroup::kOther, lastTwoDigits(code)};
  for (const auto& [family, group] : kGroupOfFamily)
    if (family == key->family) return {group, key->number};
  return {customgroup::kOther, key->number};
}

std::optional<std::string> codeOfCustomEntry(const CustomEntry& entry, int driveType) {
  if (entry.group == customgroup::kOther || entry.number < 0 || entry.number > catalogue::kMaxNumber)
    return std::nullopt;
  for (const auto& [family, group] : kGroupOfFamily)
    if (group == entry.group) return catalogue::codeOfKey({family, entry.number}, driveType);
  return std::nullopt;
}

}  // namespace zavo
