#include "params/document/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace zavo {
namespace {

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string failure(const std::string& what, const std::string& path, int err) {
  return what + " " + path + ": " + std::strerror(err);
}

// Unique per process and call, so two saves in flight never share a temporary file.
std::string temporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const auto slash = path.rfind('/');
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
  return folder + "." + base + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

SaveResult saveFileAtomically(const std::string& requested, std::string_view contents) {
  if (requested.empty()) return {false, "Cannot save: no file name"};
  // Saving through a link replaces the file it points to, not the link.
  std::string path = requested;
  struct stat link {};
  if (::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    std::unique_ptr<char, decltype(&std::free)> target(::realpath(requested.c_str(), nullptr), &std::free);
    if (!target) return {false, failure("Cannot follow the link", requested, errno)};
    path = target.get();
  }
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode)) return {false, "Cannot save " + path + ": not a regular file"};

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = temporaryNameFor(path);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return {false, failure("Cannot create a file in", folderOf(path), errno)};

  auto abandon = [&](const std::string& what) {
    const int err = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    return SaveResult{false, failure(what, path, err)};
  };

  // The new file keeps the permissions of the one it replaces.
  if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) return abandon("Cannot set the permissions of");
  if (!writeAll(fd, contents)) return abandon("Cannot write");
  if (::fsync(fd) != 0) return abandon("Cannot flush");
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) return abandon("Cannot write");
  if (::rename(temp.c_str(), path.c_str()) != 0) return abandon("Cannot replace");

  // Make the rename itself durable; a failure here loses nothing already written.
  const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {true, {}};
}

}  // namespace zavo
