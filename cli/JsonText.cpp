#include "cli/JsonText.h"

#include <cstdio>

namespace zavo::cli {
namespace {

// The length of the valid UTF-8 sequence at s[i] (2-4 bytes), 0 when there is none.
std::size_t utf8Sequence(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = b(i);
  std::size_t n = 0;
  unsigned cp = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
    cp = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    cp = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    cp = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3Fu);
  }
  // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return n;
}

void appendEscape(std::string& out, unsigned code) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\u%04x", code);
  out += buf;
}

}  // namespace

std::string jsonString(std::string_view s) {
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    switch (c) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\n': out += "\\n"; continue;
      case '\t': out += "\\t"; continue;
      case '\r': out += "\\r"; continue;
      default: break;
    }
    if (c < 0x20) {
      appendEscape(out, c);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (const std::size_t n = utf8Sequence(s, i)) {
      out.append(s.substr(i, n));
      i += n - 1;
    } else {
      appendEscape(out, c);
    }
  }
  return out + "\"";
}

}  // namespace zavo::cli
