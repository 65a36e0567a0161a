#include "params/document/BoundedFileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace zavo {

FileReadStatus readFileBounded(const std::string& path, std::size_t maxBytes, std::string& out) {
  // Opened without waiting: a FIFO or a terminal under the chosen name would otherwise block
  // the open (or the read) until some other program writes to it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FileReadStatus::CannotOpen;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return FileReadStatus::NotRegular;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(::fdopen(fd, "rb"), &std::fclose);
  if (!f) {
    ::close(fd);
    return FileReadStatus::CannotOpen;
  }
  std::string data;
  char chunk[4096];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    if (n > 0) {
      // Reading in chunks, not by the size the file system reports, also bounds a file that
      // grows while it is read.
      if (data.size() + n > maxBytes) return FileReadStatus::TooLarge;
      data.append(chunk, n);
    }
    if (n < sizeof chunk) break;
  }
  if (std::ferror(f.get())) return FileReadStatus::ReadError;
  out = std::move(data);
  return FileReadStatus::Ok;
}

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace zavo
