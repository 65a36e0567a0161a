#include "params/document/BoundedFileRead.h"

#include <cstdio>
#include <memory>

namespace zavo {

FileReadStatus readFileBounded(const std::string& path, std::size_t maxBytes, std::string& out) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return FileReadStatus::CannotOpen;
  std::string data;
  char chunk[4096];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    if (n > 0) {
      // Reading in chunks, not by the size the file system reports, also bounds devices and
      // pipes that report no size at all.
      if (data.size() + n > maxBytes) return FileReadStatus::TooLarge;
      data.append(chunk, n);
    }
    if (n < sizeof chunk) break;
  }
  if (std::ferror(f.get())) return FileReadStatus::ReadError;
  out = std::move(data);
  return FileReadStatus::Ok;
}

}  // namespace zavo
