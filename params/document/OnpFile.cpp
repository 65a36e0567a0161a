#include "params/document/OnpFile.h"

#include <cctype>

#include "params/document/BoundedFileRead.h"

namespace zavo {

std::string formatOnp(const OnlineSlotCodes& codes) {
  std::string out;
  out.append(kOnpTitleLine).push_back('\n');
  for (const auto& code : codes) out.append(code).push_back('\n');
  return out;
}

void parseOnp(std::string_view text, OnlineSlotCodes& codes) {
  std::string_view rest = text;
  // The title line is skipped unchecked, as every version of the file has written it.
  for (int line = -1; line < kOnlineSlotCount && !rest.empty(); ++line) {
    const auto end = rest.find('\n');
    std::string_view entry = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (line < 0) continue;
    if (!entry.empty() && entry.back() == '\r') entry.remove_suffix(1);
    codes[static_cast<std::size_t>(line)] = std::string(entry);
  }
}

bool isOnpPath(const std::string& path) {
  if (path.size() <= 2) return false;
  const std::string_view tail = std::string_view(path).substr(path.size() - kOnpExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(tail[i])) != kOnpExtension[i]) return false;
  return true;
}

SaveResult writeOnpFile(const std::string& path, const OnlineSlotCodes& codes) {
  if (!isOnpPath(path)) return {false, "Not an online parameter file: " + path};
  return saveFileAtomically(path, formatOnp(codes));
}

bool readOnpFile(const std::string& path, OnlineSlotCodes& codes) {
  if (!isOnpPath(path)) return false;
  std::string text;
  if (readFileBounded(path, kOnpMaxFileBytes, text) != FileReadStatus::Ok) return false;
  parseOnp(text, codes);
  return true;
}

}  // namespace zavo
