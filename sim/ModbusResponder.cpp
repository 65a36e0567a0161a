#include "sim/ModbusResponder.h"

#include "link/DriveLinkCodec.h"
#include "link/ModbusCodec.h"
#include "link/Protocol.h"
#include "sim/SimConstants.h"

namespace zavo::sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::size_t kAddressAndDataBytes = 4;
constexpr std::size_t kRtuOverhead = 2;  // CRC
constexpr std::size_t kAsciiLrcOffsetFromEnd = 4;

Bytes exceptionPdu(std::uint8_t station, std::uint8_t function, std::uint8_t code) {
  return Bytes{station, static_cast<std::uint8_t>(function | protocol::kModbusExceptionBit), code};
}

int word(const std::uint8_t* p) { return (p[0] << 8) | p[1]; }

}  // namespace

ModbusResponder::ModbusResponder(DriveMemory& memory, ParameterMemory& parameters,
                                 const ModbusMap& map, int station)
    : memory_(memory), parameters_(parameters), map_(map), station_(station) {}

Bytes ModbusResponder::frameAscii(std::span<const std::uint8_t> pdu) {
  Bytes out;
  out.reserve(2 * pdu.size() + 5);
  out.push_back(protocol::kModbusAsciiStart);
  for (const std::uint8_t b : pdu) {
    out.push_back(static_cast<std::uint8_t>(kHex[b >> 4]));
    out.push_back(static_cast<std::uint8_t>(kHex[b & 0xF]));
  }
  // Room for the LRC and CR LF, which the codec's LRC skips when it sums the pairs.
  out.insert(out.end(), {'0', '0', '\r', '\n'});
  const unsigned lrc = static_cast<unsigned>(modbus::lrc(out.data(), out.size())) & 0xFFu;
  out[out.size() - kAsciiLrcOffsetFromEnd] = static_cast<std::uint8_t>(kHex[lrc >> 4]);
  out[out.size() - kAsciiLrcOffsetFromEnd + 1] = static_cast<std::uint8_t>(kHex[lrc & 0xF]);
  return out;
}

Bytes ModbusResponder::frameRtu(std::span<const std::uint8_t> pdu) {
  Bytes out(pdu.begin(), pdu.end());
  const std::uint16_t crc = modbus::crc16(out.data(), out.size());
  out.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  out.push_back(static_cast<std::uint8_t>(crc >> 8));
  return out;
}

Answer ModbusResponder::answerAscii(std::span<const std::uint8_t> f) {
  // ':' pairs... LRC CR LF, with at least station, function and LRC.
  constexpr std::size_t kMinimum = 1 + 2 * 3 + 2;
  if (f.size() < kMinimum || f[0] != protocol::kModbusAsciiStart || f[f.size() - 2] != '\r' ||
      f[f.size() - 1] != '\n' || (f.size() - 3) % 2 != 0)
    return Answer{};
  Bytes adu;
  unsigned sum = 0;
  for (std::size_t i = 1; i + 2 < f.size(); i += 2) {
    const int hi = drivelink::hexDigit(f[i]);
    const int lo = drivelink::hexDigit(f[i + 1]);
    if (hi < 0 || lo < 0) return Answer{};
    adu.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    sum += adu.back();
  }
  if ((sum & 0xFFu) != 0) return Answer{};  // the LRC makes the byte sum zero
  adu.pop_back();
  return serve(adu, true);
}

Answer ModbusResponder::answerRtu(std::span<const std::uint8_t> f) {
  if (f.size() < 2 + kRtuOverhead) return Answer{};
  const std::size_t body = f.size() - kRtuOverhead;
  const std::uint16_t crc = modbus::crc16(f.data(), body);
  if (f[body] != (crc & 0xFF) || f[body + 1] != (crc >> 8)) return Answer{};
  return serve(f.first(body), false);
}

Answer ModbusResponder::serve(std::span<const std::uint8_t> adu, bool ascii) {
  const std::uint8_t station = adu[0];
  const std::uint8_t function = adu[1];
  if (station != station_ && station != kModbusBroadcast) return Answer{RequestKind::OtherStation, false, {}};
  const auto data = adu.subspan(2);

  RequestKind kind = RequestKind::ModbusOther;
  std::uint8_t exception = 0;
  Bytes pdu;
  if (function == protocol::kModbusReadHolding || function == protocol::kModbusWriteSingle) {
    if (data.size() != kAddressAndDataBytes) return Answer{};
    const int reg = word(&data[0]);
    const int arg = word(&data[2]);
    if (function == protocol::kModbusReadHolding) {
      kind = RequestKind::ModbusRead;
      // A broadcast read has no one to answer to.
      if (station == kModbusBroadcast) return Answer{kind, false, {}};
      const Bytes values = readRegisters(reg, arg, exception);
      pdu = {station, function, static_cast<std::uint8_t>(values.size())};
      pdu.insert(pdu.end(), values.begin(), values.end());
    } else {
      kind = RequestKind::ModbusWrite;
      writeRegister(reg, arg, exception);
      pdu.assign(adu.begin(), adu.end());
      if (station == kModbusBroadcast) return Answer{kind, false, {}};
    }
  } else {
    if (station == kModbusBroadcast) return Answer{kind, false, {}};
    exception = kIllegalFunction;
  }
  if (exception) pdu = exceptionPdu(station, function, exception);
  return Answer{kind, true, ascii ? frameAscii(pdu) : frameRtu(pdu)};
}

Bytes ModbusResponder::readRegisters(int start, int count, std::uint8_t& exception) {
  Bytes out;
  if (count < 1 || count > kMaxReadCount) {
    exception = kIllegalValue;
    return out;
  }
  for (int i = 0; i < count; ++i) {
    const ModbusTarget* t = map_.find(start + i);
    const auto value = t ? memory_.read(t->live) : std::nullopt;
    if (!value) {
      exception = kIllegalAddress;
      return {};
    }
    out.push_back(static_cast<std::uint8_t>(*value >> 8));
    out.push_back(static_cast<std::uint8_t>(*value & 0xFF));
  }
  return out;
}

void ModbusResponder::writeRegister(int reg, int value, std::uint8_t& exception) {
  const ModbusTarget* t = map_.find(reg);
  const auto v = static_cast<std::uint16_t>(value);
  // Only parameters take a write; a display value is no place to write to.
  if (!t || t->linear < 0 || !memory_.accepts(t->live, v)) {
    exception = kIllegalAddress;
    return;
  }
  // A Modbus write both runs and keeps the value: the program's Modbus transfers have no
  // separate store step. A parameter the drive takes only at its start is kept, as a store
  // through the window keeps it, and runs after the next power cycle.
  if (!t->storeOnly) memory_.write(t->live, v);
  parameters_.store(t->linear, v);
}

Bytes ModbusResponder::refusal(std::span<const std::uint8_t> request, bool ascii) const {
  std::uint8_t station = static_cast<std::uint8_t>(station_);
  std::uint8_t function = protocol::kModbusReadHolding;
  if (ascii && request.size() >= 5) {
    const int hi = drivelink::hexDigit(request[3]);
    const int lo = drivelink::hexDigit(request[4]);
    if (hi >= 0 && lo >= 0) function = static_cast<std::uint8_t>(hi * 16 + lo);
  } else if (!ascii && request.size() >= 2) {
    function = request[1];
  }
  const Bytes pdu = exceptionPdu(station, function, kDeviceFailure);
  return ascii ? frameAscii(pdu) : frameRtu(pdu);
}

}  // namespace zavo::sim
