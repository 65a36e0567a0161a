#pragma once
// A text of the active table, with the English wording where the table has none, so that no
// box of the editors ever comes up blank.

#include <string>

#include "resources/TextTable.h"

namespace zavo {

inline std::string tableTextOr(unsigned id, const char* english) {
  std::string t = text(id);
  return t.empty() ? std::string(english) : t;
}

// `format` with its "%s" replaced by `code` as text, never used as a format: a table text with
// a stray '%' stays harmless.
inline std::string withCode(std::string format, const std::string& code) {
  const auto at = format.find("%s");
  return at == std::string::npos ? format : format.replace(at, 2, code);
}

}  // namespace zavo
