#include "sim/PseudoTerminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace zavo::sim {
namespace {

bool fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
}

// Replaces whatever is at `link` by a symbolic link to `target`, in one rename so a program
// polling the path never finds it missing.
bool pointLink(const std::string& link, const std::string& target, std::string* error) {
  // Never replace a file of the user's by a link.
  struct stat st {};
  if (::lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    if (error) *error = link + " exists and is not a symbolic link";
    return false;
  }
  const std::string temp = link + ".tmp" + std::to_string(::getpid());
  ::unlink(temp.c_str());
  if (::symlink(target.c_str(), temp.c_str()) != 0) return fail(error, "cannot create link " + temp);
  if (::rename(temp.c_str(), link.c_str()) != 0) {
    const bool ok = fail(error, "cannot create link " + link);
    ::unlink(temp.c_str());
    return ok;
  }
  return true;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() { close(); }

bool PseudoTerminal::open(const std::string& linkPath, std::string* error) {
  close();
  const int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (m < 0) return fail(error, "posix_openpt");
  char name[PATH_MAX];
  if (::grantpt(m) != 0 || ::unlockpt(m) != 0 || ::ptsname_r(m, name, sizeof name) != 0) {
    const bool ok = fail(error, "cannot set up the pseudo-terminal");
    ::close(m);
    return ok;
  }
  // Raw from the start: a terminal in its default mode would echo the drive's replies back
  // to it before the program has set the line up.
  termios tio{};
  if (::tcgetattr(m, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(m, TCSANOW, &tio);
  }
  if (!linkPath.empty() && !pointLink(linkPath, name, error)) {
    ::close(m);
    return false;
  }
  master_ = m;
  slavePath_ = name;
  linkPath_ = linkPath;
  return true;
}

long PseudoTerminal::lineBaud() const {
  // The master's settings are the slave's: the line as the program set it up.
  termios tio{};
  if (master_ < 0 || ::tcgetattr(master_, &tio) != 0) return 0;
  switch (::cfgetospeed(&tio)) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    default: return 0;
  }
}

void PseudoTerminal::close() {
  if (!linkPath_.empty()) {
    // Only a link that still names our terminal is ours to remove.
    char target[PATH_MAX];
    const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == slavePath_) ::unlink(linkPath_.c_str());
    linkPath_.clear();
  }
  if (master_ >= 0) ::close(master_);
  master_ = -1;
  slavePath_.clear();
}

}  // namespace zavo::sim
