#include "cli/Command.h"

#include <algorithm>
#include <cstdio>

namespace zavo::cli {
namespace {
std::vector<Command>& table() {
  static std::vector<Command> t;
  return t;
}
}  // namespace

const std::vector<Command>& commands() { return table(); }

CommandRegistrar::CommandRegistrar(std::string_view name, std::string_view summary, CommandFn run) {
  auto& t = table();
  t.push_back({name, summary, run});
  std::sort(t.begin(), t.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
}

int usageError(const std::string& message) {
  std::fprintf(stderr, "zavoctl: %s\n", message.c_str());
  return kExitUsage;
}

bool wantsHelp(Args args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "-h" || a == "--help"; });
}

}  // namespace zavo::cli
