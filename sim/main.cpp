// zavodrive-sim: a virtual servo drive on a pseudo-terminal.

#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/CommandLine.h"
#include "sim/VirtualDrive.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void announce(const std::string& path) {
  // The first line tells whoever started us where the drive is; flushed at once, since the
  // reader is waiting for it on a pipe.
  if (path.empty()) return;
  std::printf("PORT %s\n", path.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const zavo::sim::CommandLine cl = zavo::sim::CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
  if (cl.help) {
    std::fputs(zavo::sim::CommandLine::usage(), stdout);
    return kExitOk;
  }
  if (!cl.error.empty()) {
    std::fprintf(stderr, "zavodrive-sim: %s\n%s", cl.error.c_str(), zavo::sim::CommandLine::usage());
    return kExitUsage;
  }

  // The signals that end the drive are taken by sigwait below; blocked before any thread
  // starts, so the serving thread never receives them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  // A reader of our standard output that goes away must not kill us mid-serve.
  signal(SIGPIPE, SIG_IGN);

  zavo::sim::VirtualDrive drive(cl.options);
  drive.onPortChanged(announce);
  std::string error;
  if (!drive.start(&error)) {
    std::fprintf(stderr, "zavodrive-sim: %s\n", error.c_str());
    return kExitFailure;
  }
  announce(drive.portPath());

  int signal = 0;
  sigwait(&stopSignals, &signal);
  drive.stop();
  return kExitOk;
}
