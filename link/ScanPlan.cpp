#include "link/ScanPlan.h"

#include <algorithm>
#include <charconv>

#include "link/LinkState.h"
#include "link/Protocol.h"

namespace zavo {
namespace {

constexpr int kBaudIndexCount = 6;

bool parseInt(std::string_view s, int& out) {
  const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return !s.empty() && ec == std::errc{} && p == s.data() + s.size();
}

bool isListBaud(int n) {
  for (int i = 0; i < kBaudIndexCount; ++i)
    if (baudOfIndex(i) == static_cast<unsigned long>(n)) return true;
  return false;
}

bool fail(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return false;
}

}  // namespace

ScanPlan ScanPlan::defaults(int currentBaudIndex, int currentFormat) {
  ScanPlan p;
  if (currentBaudIndex >= 0 && currentBaudIndex < kBaudIndexCount) p.bauds.push_back(baudOfIndex(currentBaudIndex));
  for (int i = 0; i < kBaudIndexCount; ++i)
    if (i != currentBaudIndex) p.bauds.push_back(baudOfIndex(i));
  p.formats = {currentFormat >= 0 && currentFormat < protocol::kModbusFormatCount ? currentFormat : 0};
  for (int s = kFirstStation; s <= kLastStation; ++s) p.stations.push_back(s);
  return p;
}

int ScanPlan::probeCount() const {
  const auto perBaud = formats.size() * stations.size() + (driveLink ? 1 : 0);
  return static_cast<int>(bauds.size() * perBaud);
}

std::optional<std::vector<int>> parseNumberList(std::string_view text, int lo, int hi, std::string* error) {
  std::vector<int> out;
  const auto bad = [&](std::string_view item) {
    fail(error, "'" + std::string(item) + "' is not a number or range within " + std::to_string(lo) + "-" +
                    std::to_string(hi));
    return std::nullopt;
  };
  while (!text.empty()) {
    const auto comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    const auto dash = item.find('-');
    int a = 0, b = 0;
    if (dash == std::string_view::npos) {
      if (!parseInt(item, a)) return bad(item);
      b = a;
    } else if (!parseInt(item.substr(0, dash), a) || !parseInt(item.substr(dash + 1), b) || b < a) {
      return bad(item);
    }
    if (a < lo || b > hi) return bad(item);
    for (int n = a; n <= b; ++n)
      if (std::find(out.begin(), out.end(), n) == out.end()) out.push_back(n);
  }
  if (out.empty()) {
    fail(error, "an empty list");
    return std::nullopt;
  }
  return out;
}

std::optional<std::vector<unsigned long>> parseBaudList(std::string_view text, std::string* error) {
  std::vector<unsigned long> out;
  while (!text.empty()) {
    const auto comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    int n = 0;
    if (!parseInt(item, n) || !isListBaud(n)) {
      fail(error, "'" + std::string(item) + "' is not one of 4800, 9600, 19200, 38400, 57600, 115200");
      return std::nullopt;
    }
    if (std::find(out.begin(), out.end(), static_cast<unsigned long>(n)) == out.end())
      out.push_back(static_cast<unsigned long>(n));
  }
  if (out.empty()) {
    fail(error, "an empty list");
    return std::nullopt;
  }
  return out;
}

std::string formatText(int format) {
  if (format < 0 || format >= protocol::kModbusFormatCount) return {};
  const auto& f = protocol::kModbusFormats[format];
  static constexpr char kParity[] = {'N', 'O', 'E'};
  std::string text;
  text += static_cast<char>('0' + f.dataBits);
  text += kParity[f.parity];
  text += static_cast<char>('0' + f.stopBits);
  text += f.ascii ? " ASCII" : " RTU";
  return text;
}

}  // namespace zavo
