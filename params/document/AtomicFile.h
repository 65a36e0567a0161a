#pragma once
// Saving a file without ever destroying the previous one: the new contents go to a temporary
// file in the same folder, are flushed to the disk and only then renamed over the target. A
// failure at any step removes the temporary file, leaves the old file as it was and is
// reported to the caller, who shows the message.

#include <string>
#include <string_view>

namespace zavo {

struct SaveResult {
  bool ok = false;
  std::string error;  // what failed and why, for the caller's message; empty on success

  explicit operator bool() const { return ok; }
};

SaveResult saveFileAtomically(const std::string& path, std::string_view contents);

}  // namespace zavo
