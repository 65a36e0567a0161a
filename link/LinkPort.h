#pragma once
// The program's port: the Comtrak CSerial with two changes. A read of more than 20000 bytes
// only discards pending input (the worker uses it to drop a stale trace stream), and the
// construction checks that the port library is loadable, telling the user when it is not.

#include "comtrak/CSerial.h"

namespace zavo {

class LinkPort : public CSerial {
 public:
  static constexpr unsigned int kDiscardThreshold = 20000;

  LinkPort();
  ~LinkPort() override;

  long Read(void* data, unsigned int size, unsigned long* received = nullptr,
            void* overlapped = nullptr, unsigned long timeoutMs = kInfinite) override;
  // The network search of drive adapters (see TcpIpSearch.h).
  std::vector<TcpIpDevice> SearchTcpIp() override;

  bool libraryLoaded() const { return library_ != nullptr; }
  // The name the library check loads; tests point it elsewhere before constructing a port.
  static void setLibraryName(const char* name);

 private:
  void* library_ = nullptr;
};

// The two process-wide ports: the one that carries all drive traffic, and the one that only
// tests whether a port is free.
LinkPort& mainPort();
LinkPort& probePort();

}  // namespace zavo
