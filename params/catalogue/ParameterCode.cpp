#include "params/catalogue/ParameterCode.h"

#include <array>
#include <cstdio>

namespace zavo::catalogue {
namespace {

struct Prefix {
  std::string_view text;
  Family family;
  char hundreds;      // required hundreds digit of a three-digit number, 0 for two digits
  char olderHundreds; // the older families' hundreds digit for the same group, or 0
};

// Longer prefixes first so that "OnT" is not taken for an "On" of some other group.
constexpr std::array<Prefix, 18> kPrefixes{{
    {"OnT", Family::OnT, 0, 0}, {"OnS", Family::OnS, 0, 0}, {"Ond", Family::Ond, 0, 0},
    {"OnC", Family::OnC, 0, 0}, {"OnA", Family::OnA, 0, 0}, {"OnE", Family::OnE, 0, 0},
    {"ECA", Family::ECA, 0, 0}, {"Cn", Family::Cn, '0', 0},   {"Tn", Family::Tn, '1', 0},
    {"Sn", Family::Sn, '2', 0}, {"Pn", Family::Pn3, '3', 0},  {"Pn", Family::Pn4, '4', 0},
    {"qn", Family::qn, '5', '4'}, {"Hn", Family::Hn, '6', '5'}, {"tn", Family::tn, 0, 0},
    {"Un", Family::Un, 0, 0},   {"dn", Family::dn, 0, 0},     {"AL", Family::AL, 0, 0},
}};

// Id bases in Family order; tn has none.
constexpr std::array<int, kFamilyCount> kIdBase{0,    100,  200,  300,  400,  500,  600,  0,    1300,
                                                1500, 1600, 1700, 1800, 1900, 2000, 1000, 1100, 1200};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int twoDigits(std::string_view s) { return (s[0] - '0') * 10 + (s[1] - '0'); }

bool olderFamily(int driveType) { return driveType == 0 || driveType == 1; }

}  // namespace

std::optional<Key> parseCode(std::string_view code) {
  for (const auto& p : kPrefixes) {
    if (!code.starts_with(p.text)) continue;
    const std::string_view digits = code.substr(p.text.size());
    const std::size_t want = p.hundreds ? 3 : 2;
    if (digits.size() != want) continue;
    bool ok = true;
    for (char c : digits) ok = ok && isDigit(c);
    if (!ok) continue;
    if (p.hundreds && digits[0] != p.hundreds && digits[0] != p.olderHundreds) continue;
    return Key{p.family, twoDigits(digits.substr(digits.size() - 2))};
  }
  return std::nullopt;
}

int idOfKey(Key key) {
  if (key.family == Family::tn) return 0;
  return kIdBase[static_cast<std::size_t>(key.family)] + key.number;
}

std::string codeOfKey(Key key, int driveType) {
  char buf[16];
  const bool older = olderFamily(driveType);
  switch (key.family) {
    case Family::qn: std::snprintf(buf, sizeof buf, older ? "qn4%02d" : "qn5%02d", key.number); break;
    case Family::Hn: std::snprintf(buf, sizeof buf, older ? "Hn5%02d" : "Hn6%02d", key.number); break;
    case Family::tn: std::snprintf(buf, sizeof buf, "tn%02d", key.number); break;
    default: return codeFromId(idOfKey(key), driveType);
  }
  return buf;
}

int idFromCode(std::string_view code) {
  if (code.size() < 5) return -1;
  const std::string_view last2 = code.substr(code.size() - 2);
  if (!isDigit(last2[0]) || !isDigit(last2[1])) return 0;
  const int n = twoDigits(last2);
  switch (code[0]) {
    case 'A': return 1200 + n;
    case 'C': return n;
    case 'H': return 600 + n;
    case 'L': return 400 + n;
    case 'P': {
      const char h = code[code.size() - 3];
      return isDigit(h) ? (h - '0') * 100 + n : 0;
    }
    case 'S': return 200 + n;
    case 'T': return 100 + n;
    case 'U': return 1000 + n;
    case 'd': return 1100 + n;
    case 'q': return 500 + n;
    // The cam group and the extended groups have id bases of their own (1300, 1500-1900);
    // without them their codes would all collapse onto id 0.
    case 'E': return 1300 + n;
    case 'O':
      switch (code[2]) {
        case 'E': return 2000 + n;
        case 'T': return 1500 + n;
        case 'S': return 1600 + n;
        case 'd': return 1700 + n;
        case 'C': return 1800 + n;
        case 'A': return 1900 + n;
        default: return 0;
      }
    default: return 0;
  }
}

std::string codeFromId(int id, int driveType) {
  if (id < 0) return {};
  const int hundreds = id / 100;
  const int n = id % 100;
  const bool older = olderFamily(driveType);
  char buf[16];
  switch (hundreds) {
    case 0: std::snprintf(buf, sizeof buf, "Cn%.3d", id); break;
    case 1: std::snprintf(buf, sizeof buf, "Tn%.3d", id); break;
    case 2: std::snprintf(buf, sizeof buf, "Sn%.3d", id); break;
    case 3:
    case 4: std::snprintf(buf, sizeof buf, "Pn%.3d", id); break;
    case 5: std::snprintf(buf, sizeof buf, older ? "qn4%02d" : "qn5%02d", n); break;
    case 6: std::snprintf(buf, sizeof buf, older ? "Hn5%02d" : "Hn6%02d", n); break;
    case 10: std::snprintf(buf, sizeof buf, "Un%.2d", n); break;
    case 11: std::snprintf(buf, sizeof buf, "dn%.2d", n); break;
    case 12: std::snprintf(buf, sizeof buf, "AL%.2d", n); break;
    case 13: std::snprintf(buf, sizeof buf, "ECA%.2d", n); break;
    case 15: std::snprintf(buf, sizeof buf, "OnT%.2d", n); break;
    case 16: std::snprintf(buf, sizeof buf, "OnS%.2d", n); break;
    case 17: std::snprintf(buf, sizeof buf, "Ond%.2d", n); break;
    case 18: std::snprintf(buf, sizeof buf, "OnC%.2d", n); break;
    case 19: std::snprintf(buf, sizeof buf, "OnA%.2d", n); break;
    // The motor data items of the linear-motor set-up (OnE05..) are named by id as well.
    case 20: std::snprintf(buf, sizeof buf, "OnE%.2d", n); break;
    default: return {};
  }
  return buf;
}

}  // namespace zavo::catalogue
