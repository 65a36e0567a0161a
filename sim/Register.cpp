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

}  // namespace zavo::sim
