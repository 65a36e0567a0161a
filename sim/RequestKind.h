#pragma once
// What the virtual drive made of one request, for the request log and its counts.

#include <cstdint>
#include <vector>

namespace zavo::sim {

using Bytes = std::vector<std::uint8_t>;

enum class RequestKind {
  Read,          // DriveLink R
  WindowWrite,   // DriveLink W to a register of the indirect access window
  DirectWrite,   // DriveLink W to any other register
  BlockRead,     // DriveLink B
  MultiWrite,    // DriveLink P
  ModbusRead,    // function 03
  ModbusWrite,   // function 06
  ModbusOther,   // any other function: answered with exception 01
  OtherStation,  // a Modbus frame for another station: not answered
  Malformed,     // bad checksum, LRC, CRC or layout: not answered (keep it last)
};
inline constexpr int kRequestKindCount = static_cast<int>(RequestKind::Malformed) + 1;

const char* nameOf(RequestKind kind);

// The drive's answer to one request: what kind it was and the reply, if any.
struct Answer {
  RequestKind kind = RequestKind::Malformed;
  bool replied = false;
  Bytes reply;
};

}  // namespace zavo::sim
