#include "sim/Register.h"

namespace zavo::sim {
namespace {
constexpr int kFirstLetterIndex = 10;  // 'A'
constexpr int kPage5Index = protocol::kPage5 - '0';
constexpr int kPageCIndex = protocol::kPageC - 'A' + kFirstLetterIndex;
}  // namespace

int pageIndexOf(int c) {
  if (c == protocol::kPage5Numeric) return kPage5Index;
  if (c == protocol::kPageCNumeric) return kPageCIndex;
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c < 'A' + kPageCount - kFirstLetterIndex) return c - 'A' + kFirstLetterIndex;
  return -1;
}

int pageCharacterOf(int index) { return index < kFirstLetterIndex ? '0' + index : 'A' + index - kFirstLetterIndex; }

std::optional<RegisterRef> registerAt(int pageCharacter, int address) {
  const int index = pageIndexOf(pageCharacter);
  if (index < 0 || address < 0 || address >= kPageSize) return std::nullopt;
  return RegisterRef{pageCharacterOf(index), address};
}

std::optional<RegisterRef> registerOfNumber(int number) {
  if (number < 0) return std::nullopt;
  const int index = number / kPageSize;
  if (index >= kPageCount) return std::nullopt;
  return RegisterRef{pageCharacterOf(index), number % kPageSize};
}

int numberOfRegister(RegisterRef r) { return pageIndexOf(r.page) * kPageSize + r.address; }

std::optional<RegisterRef> registerOfText(std::string_view text) {
  constexpr std::size_t kLength = 3;  // page, two hex digits
  if (text.size() != kLength) return std::nullopt;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  const int page = upper(text[0]);
  // Only the printable page characters: the numeric synonyms are no way to write one down.
  if (page < '0' || pageIndexOf(page) < 0) return std::nullopt;
  const auto hex = [&upper](char c) {
    const int u = upper(c);
    return u >= '0' && u <= '9' ? u - '0' : u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
  };
  const int hi = hex(text[1]);
  const int lo = hex(text[2]);
  if (hi < 0 || lo < 0) return std::nullopt;
  return registerAt(page, hi * 16 + lo);
}

std::string textOfRegister(RegisterRef r) {
  constexpr char kHex[] = "0123456789ABCDEF";
  return {static_cast<char>(r.page), kHex[(r.address >> 4) & 0xF], kHex[r.address & 0xF]};
}

}  // namespace zavo::sim
