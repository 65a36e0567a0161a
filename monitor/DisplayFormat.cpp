#include "monitor/DisplayFormat.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zavo::monitor {
namespace {

// The analog speed command voltage, in hundredths of a volt.
constexpr int kVoltageItem = 9;
// Terminal and status words the configurable page shows in hexadecimal.
constexpr int kHexItems[] = {21, 27, 30, 31};
// The M7 and extended M7-R drives have no such items: their pages leave them out.
constexpr int kNotOnTypes2And4[] = {15, 17, 19, 21, 23, 26, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 45, 46,
                                    47, 48, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 73, 74, 75,
                                    76, 78, 82};

template <std::size_t N>
bool among(int item, const int (&items)[N]) {
  return std::find(std::begin(items), std::end(items), item) != std::end(items);
}

bool twoDigits(std::string_view s, int& out) {
  if (s.size() != 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return false;
  out = (s[0] - '0') * 10 + (s[1] - '0');
  return true;
}

}  // namespace

std::string hundredthsText(std::int32_t value) {
  // The quotient alone would lose the sign of -0.99 .. -0.01.
  const std::int64_t v = value;
  const std::int64_t magnitude = v < 0 ? -v : v;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%lld.%02lld", v < 0 ? "-" : "", static_cast<long long>(magnitude / 100),
                static_cast<long long>(magnitude % 100));
  return buf;
}

std::string hexWordText(std::int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04XH", static_cast<unsigned>(value) & 0xFFFFu);
  return buf;
}

std::string fixedPageText(int item, std::int32_t value) {
  return item == kVoltageItem ? hundredthsText(value) : std::to_string(value);
}

std::string selectPageText(int item, std::int32_t value) {
  if (among(item, kHexItems)) return hexWordText(value);
  return fixedPageText(item, value);
}

std::string monitorCode(const char* prefix, int item) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%s%02d", prefix, item);
  return buf;
}

std::string itemCode(int item) { return monitorCode("Un", item); }

std::string itemName(int item) { return monitorCode("Un-", item); }

int itemOfEntry(std::string_view entry) {
  int item = 0;
  if (entry.size() < 2 || !twoDigits(entry.substr(entry.size() - 2), item) || item < 1) return 1;
  return item;
}

int parseItem(std::string_view text) {
  if (text.substr(0, 2) == "Un" || text.substr(0, 2) == "un") text.remove_prefix(2);
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.empty() || text.size() > 2) return 0;
  int item = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    item = item * 10 + (c - '0');
  }
  return item >= 1 && item <= kDisplayItems ? item : 0;
}

bool isListed(int item, int driveType) {
  if (item < 1 || item > kDisplayItems) return false;
  return !((driveType == 2 || driveType == 4) && among(item, kNotOnTypes2And4));
}

std::vector<int> listedItems(int driveType) {
  std::vector<int> items;
  for (int item = 1; item <= kDisplayItems; ++item)
    if (isListed(item, driveType)) items.push_back(item);
  return items;
}

}  // namespace zavo::monitor
