#include "sim/DriveLinkResponder.h"

#include "link/DriveLinkCodec.h"

namespace zavo::sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::size_t kChecksumLength = 2;

// Two or four hex digits, -1 when any is not a hex digit.
int hexField(const std::uint8_t* digits, int count) {
  int v = 0;
  for (int i = 0; i < count; ++i) {
    const int d = drivelink::hexDigit(digits[i]);
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}

Answer silent(RequestKind kind) { return Answer{kind, false, {}}; }
Answer replied(RequestKind kind, Bytes reply) { return Answer{kind, true, std::move(reply)}; }
Answer acknowledged(RequestKind kind) { return replied(kind, Bytes{protocol::kReplyOk}); }
Answer refused(RequestKind kind) { return replied(kind, DriveLinkResponder::refusal()); }

// The pair count of a B or P frame, 0 when the count character is not 1-9.
std::size_t countOf(std::uint8_t c) {
  return c >= '1' && c <= '0' + protocol::kMaxBlockCount ? static_cast<std::size_t>(c - '0') : 0;
}

}  // namespace

DriveLinkResponder::DriveLinkResponder(DriveMemory& memory, const protocol::WindowLayout& window)
    : memory_(memory), window_(window) {}

Bytes DriveLinkResponder::refusal() { return Bytes{protocol::kReplyRefused}; }

Bytes DriveLinkResponder::dataReply(std::span<const std::uint16_t> values) {
  Bytes out;
  out.reserve(1 + 4 * values.size() + kChecksumLength);
  out.push_back(protocol::kReplyOk);
  for (const std::uint16_t v : values)
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(static_cast<std::uint8_t>(kHex[(v >> shift) & 0xF]));
  out.resize(out.size() + kChecksumLength);
  drivelink::appendChecksum(out.data(), out.size());
  return out;
}

bool DriveLinkResponder::isWindowRegister(RegisterRef r) const {
  if (pageIndexOf(r.page) != pageIndexOf(protocol::kPage5)) return false;
  return r.address >= window_.command && r.address <= window_.readData;
}

Answer DriveLinkResponder::answer(std::span<const std::uint8_t> frame) {
  if (frame.size() <= kChecksumLength || !drivelink::checksumMatches(frame))
    return silent(RequestKind::Malformed);
  if (hook_)
    if (auto a = hook_->intercept(frame)) return std::move(*a);
  switch (frame[0]) {
    case protocol::kRead: return read(frame);
    case protocol::kWrite: return write(frame);
    case protocol::kBlockRead: return blockRead(frame);
    case protocol::kMultiWrite: return multiWrite(frame);
    default: return silent(RequestKind::Malformed);
  }
}

Answer DriveLinkResponder::read(std::span<const std::uint8_t> f) {
  if (f.size() != protocol::kReadRequestLength) return silent(RequestKind::Malformed);
  const int address = hexField(&f[2], 2);
  if (address < 0) return silent(RequestKind::Malformed);
  const auto reg = registerAt(f[1], address);
  const auto value = reg ? memory_.read(*reg) : std::nullopt;
  if (!value) return refused(RequestKind::Read);
  const std::uint16_t values[1] = {*value};
  return replied(RequestKind::Read, dataReply(values));
}

Answer DriveLinkResponder::write(std::span<const std::uint8_t> f) {
  if (f.size() != protocol::kWriteRequestLength) return silent(RequestKind::Malformed);
  const int address = hexField(&f[2], 2);
  const int value = hexField(&f[4], 4);
  if (address < 0 || value < 0) return silent(RequestKind::Malformed);
  const auto reg = registerAt(f[1], address);
  const RequestKind kind = reg && isWindowRegister(*reg) ? RequestKind::WindowWrite : RequestKind::DirectWrite;
  if (!reg || !memory_.write(*reg, static_cast<std::uint16_t>(value))) return refused(kind);
  return acknowledged(kind);
}

Answer DriveLinkResponder::blockRead(std::span<const std::uint8_t> f) {
  const std::size_t n = countOf(f[1]);
  if (n == 0 || f.size() != 4 * n + 4) return silent(RequestKind::Malformed);
  std::uint16_t values[protocol::kMaxBlockCount] = {};
  for (std::size_t i = 0; i < n; ++i) {
    const int number = hexField(&f[2 + 4 * i], 4);
    if (number < 0) return silent(RequestKind::Malformed);
    const auto reg = registerOfNumber(number);
    const auto value = reg ? memory_.read(*reg) : std::nullopt;
    if (!value) return refused(RequestKind::BlockRead);
    values[i] = *value;
  }
  return replied(RequestKind::BlockRead, dataReply({values, n}));
}

Answer DriveLinkResponder::multiWrite(std::span<const std::uint8_t> f) {
  const std::size_t n = countOf(f[1]);
  if (n == 0 || f.size() != 8 * n + 4) return silent(RequestKind::Malformed);
  RegisterRef regs[protocol::kMaxBlockCount];
  std::uint16_t values[protocol::kMaxBlockCount] = {};
  bool allTaken = true;
  for (std::size_t i = 0; i < n; ++i) {
    const int number = hexField(&f[2 + 8 * i], 4);
    const int value = hexField(&f[6 + 8 * i], 4);
    if (number < 0 || value < 0) return silent(RequestKind::Malformed);
    const auto reg = registerOfNumber(number);
    values[i] = static_cast<std::uint16_t>(value);
    if (reg) regs[i] = *reg;
    allTaken = allTaken && reg && memory_.accepts(*reg, values[i]);
  }
  // All or nothing: a refused pair leaves the drive as it was, so the program's retry of the
  // whole request cannot find half of it applied.
  if (!allTaken) return refused(RequestKind::MultiWrite);
  for (std::size_t i = 0; i < n; ++i) memory_.write(regs[i], values[i]);
  return acknowledged(RequestKind::MultiWrite);
}

}  // namespace zavo::sim
