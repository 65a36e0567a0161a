#pragma once
// Parameter codes as keys: the strict parse the catalogue indexes by, and the id rules that
// the rest of the program uses to name parameters (idOf / codeOf in Catalogue.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zavo::catalogue {

// Families of codes. The first fourteen are the document groups, in ParamGroup order.
enum class Family : std::uint8_t {
  Cn, Tn, Sn, Pn3, Pn4, qn, Hn, tn, ECA, OnT, OnS, Ond, OnC, OnA,
  OnE, Un, dn, AL,
};
inline constexpr int kFamilyCount = 18;
inline constexpr int kDocumentFamilyCount = 14;
// Numbers within a family run 0..kMaxNumber.
inline constexpr int kMaxNumber = 99;

struct Key {
  Family family;
  int number;
};

// Parses a well-formed code: the prefix, then three digits for Cn/Tn/Sn/Pn/qn/Hn (with the
// hundreds digit of the group; qn4nn/Hn5nn are the older families' spelling of qn5nn/Hn6nn),
// two digits for every other prefix. Anything else has no key.
std::optional<Key> parseCode(std::string_view code);

// Parameter id of a key (0 for tn, which has no id).
int idOfKey(Key key);
// Code of a key spelled for the drive type ("Hn5nn" on types 0 and 1, "Hn6nn" on 2-4).
std::string codeOfKey(Key key, int driveType);

// Id from the code's characters as the program has always named parameters: the first letter
// and the last two (Pn: three) characters; a code shorter than 5 characters gives -1, an
// unknown letter 0.
int idFromCode(std::string_view code);
// Code from an id for the drive type; "" for an id outside every group.
std::string codeFromId(int id, int driveType);

}  // namespace zavo::catalogue
