// zavoctl: the command-line tool over the ZavoServo core.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace {

void printUsage() {
  std::printf("Usage: zavoctl COMMAND [ARGS...]\n\nCommands:\n");
  for (const auto& c : zavo::cli::commands())
    std::printf("  %-12.*s %.*s\n", static_cast<int>(c.name.size()), c.name.data(),
                static_cast<int>(c.summary.size()), c.summary.data());
  std::printf("\n'zavoctl COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    printUsage();
    return zavo::cli::kExitUsage;
  }
  if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
    printUsage();
    return zavo::cli::kExitOk;
  }
  for (const auto& c : zavo::cli::commands())
    if (c.name == args[0]) return c.run(zavo::cli::Args(args).subspan(1));
  return zavo::cli::usageError("unknown command '" + args[0] + "' (see zavoctl --help)");
}
