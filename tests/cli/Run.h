#pragma once
// Runs the built zavoctl and collects what it printed and its exit code.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace zavo::test {

struct RunResult {
  int code = -1;
  std::string out;
};

// `env` is put in front of the command line (e.g. "ZAVO_PORT=/tmp/x"); standard error is
// collected with standard output when `withErrors`.
inline RunResult zavoctl(const std::string& args, const std::string& env = {}, bool withErrors = false) {
  const std::string cmd = env + (env.empty() ? "" : " ") + ZAVOCTL_PATH + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
  RunResult r;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int status = ::pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace zavo::test
