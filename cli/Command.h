#pragma once
// zavoctl's command table. Each command lives in its own file and registers itself with a
// static CommandRegistrar, so adding a command touches no shared list.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zavo::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitLinkFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDifferent = 3;
inline constexpr int kExitRefused = 4;  // the drive's state refuses, or its procedure failed

using Args = std::span<const std::string>;
using CommandFn = int (*)(Args args);

struct Command {
  std::string_view name;
  std::string_view summary;
  CommandFn run;
};

const std::vector<Command>& commands();

struct CommandRegistrar {
  CommandRegistrar(std::string_view name, std::string_view summary, CommandFn run);
};

// Prints "zavoctl: <message>" on standard error and returns kExitUsage.
int usageError(const std::string& message);
// True when `args` asks for help (-h or --help anywhere).
bool wantsHelp(Args args);

}  // namespace zavo::cli
