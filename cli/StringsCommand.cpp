// zavoctl strings: the active text table (the language library when it loads) or the
// built-in one.

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/Command.h"
#include "resources/TextTable.h"

namespace zavo::cli {
namespace {

constexpr const char* kHelp =
    "Usage: zavoctl strings [--builtin]\n"
    "Prints every entry of the text table as ID<TAB>TEXT in ascending id order; a line break\n"
    "inside a text is printed as \\n and a tab as \\t. Without --builtin the table is the one of\n"
    "the language library (libTolkar.so) when it can be loaded, else the built-in one.\n";

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else out += c;
  }
  return out;
}

int runStrings(Args args) {
  if (wantsHelp(args)) {
    std::printf("%s", kHelp);
    return kExitOk;
  }
  bool builtin = false;
  for (const auto& a : args) {
    if (a == "--builtin") builtin = true;
    else return usageError("strings: unexpected argument '" + a + "'");
  }
  TextTable& table = TextTable::active();
  // zavoctl may have loaded the language library already; --builtin asks for the table the
  // program carries itself.
  if (builtin)
    table.useBuiltin();
  else
    table.loadLibrary(kTolkarLibrary);
  for (const auto& e : table.entries()) std::printf("%u\t%s\n", e.id, escaped(e.text).c_str());
  return kExitOk;
}

const CommandRegistrar reg("strings", "print the text table (language library or built-in)", runStrings);

}  // namespace
}  // namespace zavo::cli
