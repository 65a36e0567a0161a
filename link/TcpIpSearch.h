#pragma once
// The device search on the local network: a UDP query to port 30718, answered by each
// network-attached drive adapter with its address.

#include <string>
#include <vector>

#include "comtrak/CSerial.h"

namespace zavo {

inline constexpr unsigned short kTcpIpSearchPort = 30718;
// The query is sent to every host of the local network.
inline constexpr const char* kTcpIpSearchAddress = "255.255.255.255";
inline constexpr int kTcpIpSearchTimeoutMs = 1000;

// Sends the query 00 00 00 F6 to `address`:`port` and collects the answers (fourth byte F7)
// until the line stays quiet for `timeoutMs`. The Ethernet address is taken from answer
// bytes 4-9. Binds the local side to `port` as the adapters answer to it.
std::vector<CSerial::TcpIpDevice> searchTcpIp(const std::string& address = kTcpIpSearchAddress,
                                              unsigned short port = kTcpIpSearchPort,
                                              int timeoutMs = kTcpIpSearchTimeoutMs,
                                              unsigned short localPort = kTcpIpSearchPort);

}  // namespace zavo
