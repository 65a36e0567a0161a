// zavoctl: the command-line tool over the ZavoServo core.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveOptions.h"
#include "platform/Prompt.h"
#include "resources/TextTable.h"

namespace {

void printUsage() {
  std::printf("Usage: zavoctl COMMAND [ARGS...]\n\nCommands:\n");
  for (const auto& c : zavo::cli::commands())
    std::printf("  %-12.*s %.*s\n", static_cast<int>(c.name.size()), c.name.data(),
                static_cast<int>(c.summary.size()), c.summary.data());
  std::printf("\n'zavoctl COMMAND --help' describes one command.\n");
}

// Messages of the core go to standard error as they stand, without their box title.
class CliPrompt final : public zavo::Prompt {
 public:
  zavo::PromptAnswer ask(const zavo::PromptRequest& r) override {
    std::fprintf(stderr, "%s\n", r.text.c_str());
    return r.buttons == zavo::PromptButtons::YesNo || r.buttons == zavo::PromptButtons::YesNoCancel
               ? zavo::PromptAnswer::Yes
               : zavo::PromptAnswer::Ok;
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  CliPrompt cliPrompt;
  zavo::setPrompt(&cliPrompt);
  // The English texts; without the library the built-in table answers.
  zavo::TextTable::active().loadLibrary("libTolkar.so");
  if (args.empty()) {
    printUsage();
    return zavo::cli::kExitUsage;
  }
  if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
    printUsage();
    return zavo::cli::kExitOk;
  }
  // Global options may stand before the command as well as after it.
  const std::vector<std::string> ordered = zavo::cli::commandFirst(args);
  for (const auto& c : zavo::cli::commands())
    if (c.name == ordered[0]) return c.run(zavo::cli::Args(ordered).subspan(1));
  return zavo::cli::usageError("unknown command '" + ordered[0] + "' (see zavoctl --help)");
}
