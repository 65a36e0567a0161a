#include "sim/RequestKind.h"

namespace zavo::sim {

const char* nameOf(RequestKind kind) {
  switch (kind) {
    case RequestKind::Read: return "read";
    case RequestKind::WindowWrite: return "window-write";
    case RequestKind::DirectWrite: return "direct-write";
    case RequestKind::BlockRead: return "block-read";
    case RequestKind::MultiWrite: return "multi-write";
    case RequestKind::ModbusRead: return "modbus-read";
    case RequestKind::ModbusWrite: return "modbus-write";
    case RequestKind::ModbusOther: return "modbus-other";
    case RequestKind::OtherStation: return "other-station";
    case RequestKind::Malformed: return "malformed";
  }
  return "?";
}

}  // namespace zavo::sim
