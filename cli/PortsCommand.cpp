// zavoctl ports: the port list as the Link Port Set dialog shows it.

#include <cstdio>

#include "cli/Command.h"
#include "link/LinkPort.h"
#include "link/PortList.h"

namespace zavo::cli {
namespace {

int runPorts(Args args) {
  if (wantsHelp(args)) {
    std::printf("Usage: zavoctl ports\nLists the serial ports as the Link Port Set dialog offers them.\n");
    return kExitOk;
  }
  if (!args.empty()) return usageError("ports takes no arguments");
  SystemPortSource source;
  for (const auto& entry : buildPortList(source, probePort())) std::printf("%s\n", entry.c_str());
  return kExitOk;
}

const CommandRegistrar reg("ports", "list the serial ports", runPorts);

}  // namespace
}  // namespace zavo::cli
