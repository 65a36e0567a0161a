#include "link/LinkPort.h"

#include <dlfcn.h>

#include <atomic>

#include "link/TcpIpSearch.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {
std::atomic<const char*> libraryName{"libComtrak.so"};
constexpr const char* kLoadFailed = "Fail to load dll!";
}  // namespace

void LinkPort::setLibraryName(const char* name) { libraryName = name; }

LinkPort::LinkPort() {
  library_ = ::dlopen(libraryName.load(), RTLD_NOW);
  if (!library_) showMessage(kLoadFailed);
}

LinkPort::~LinkPort() {
  if (library_) ::dlclose(library_);
}

long LinkPort::Read(void* data, unsigned int size, unsigned long* received, void* overlapped,
                    unsigned long timeoutMs) {
  if (size > kDiscardThreshold) {
    PurgeInput();
    if (received) *received = 0;
    return 0;
  }
  return CSerial::Read(data, size, received, overlapped, timeoutMs);
}

std::vector<CSerial::TcpIpDevice> LinkPort::SearchTcpIp() { return searchTcpIp(); }

LinkPort& mainPort() {
  static LinkPort port;
  return port;
}

LinkPort& probePort() {
  static LinkPort port;
  return port;
}

}  // namespace zavo
