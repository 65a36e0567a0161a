#include "link/FrameLog.h"

#include <atomic>
#include <chrono>
#include <cstdio>

#include "params/document/AtomicFile.h"

namespace zavo {
namespace {

std::atomic<FrameLog*> active{nullptr};

std::int64_t nowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

const char* arrowOf(FrameDirection d) { return d == FrameDirection::Sent ? "->" : "<-"; }

}  // namespace

FrameLog* activeFrameLog() { return active.load(std::memory_order_acquire); }
void setActiveFrameLog(FrameLog* log) { active.store(log, std::memory_order_release); }

const char* outcomeText(FrameOutcome outcome) {
  switch (outcome) {
    case FrameOutcome::Sent: return "";
    case FrameOutcome::Reply: return "reply";
    case FrameOutcome::Refused: return "refused";
    case FrameOutcome::Timeout: return "time-out";
    case FrameOutcome::BadChecksum: return "bad checksum";
    case FrameOutcome::Echo: return "echo";
  }
  return "";
}

std::string frameBytesText(FrameProtocol protocol, std::span<const std::uint8_t> bytes) {
  std::string out;
  char hex[8];
  if (protocol == FrameProtocol::ModbusRtu) {
    for (const std::uint8_t b : bytes) {
      std::snprintf(hex, sizeof hex, out.empty() ? "%02X" : " %02X", b);
      out += hex;
    }
    return out;
  }
  for (const std::uint8_t b : bytes) {
    if (b == '\r') {
      out += "\\r";
    } else if (b == '\n') {
      out += "\\n";
    } else if (b == '\\') {
      out += "\\\\";
    } else if (b < 0x20 || b >= 0x7F) {
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    } else {
      out += static_cast<char>(b);
    }
  }
  return out;
}

FrameLog::FrameLog(std::size_t capacity) : capacity_(capacity ? capacity : 1), startNs_(nowNs()) {
  ring_.reserve(std::min<std::size_t>(capacity_, 1024));
}

void FrameLog::setListener(Listener listener) {
  std::lock_guard lk(m_);
  listener_ = std::move(listener);
}

void FrameLog::add(FrameDirection direction, FrameProtocol protocol, FrameOutcome outcome,
                   std::span<const std::uint8_t> bytes, std::string decoding) {
  FrameRecord r;
  r.ms = static_cast<double>(nowNs() - startNs_) / 1e6;
  r.direction = direction;
  r.protocol = protocol;
  r.outcome = outcome;
  r.bytes = frameBytesText(protocol, bytes);
  r.decoding = std::move(decoding);
  Listener listener;
  {
    std::lock_guard lk(m_);
    r.sequence = ++sequence_;
    if (ring_.size() < capacity_) {
      ring_.push_back(r);
    } else {
      ring_[head_] = r;
      head_ = (head_ + 1) % capacity_;
    }
    listener = listener_;
  }
  if (listener) listener(r);
}

std::vector<FrameRecord> FrameLog::records() const { return since(0); }

std::vector<FrameRecord> FrameLog::since(std::uint64_t sequence) const {
  std::lock_guard lk(m_);
  std::vector<FrameRecord> out;
  const std::size_t n = ring_.size();
  // Sequence numbers run without gaps, so the records after `sequence` are the newest ones.
  const std::uint64_t newer = sequence_ > sequence ? sequence_ - sequence : 0;
  const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(newer, n));
  out.reserve(take);
  const std::size_t oldest = n < capacity_ ? 0 : head_;
  for (std::size_t i = n - take; i < n; ++i) out.push_back(ring_[(oldest + i) % n]);
  return out;
}

std::size_t FrameLog::size() const {
  std::lock_guard lk(m_);
  return ring_.size();
}

std::uint64_t FrameLog::lastSequence() const {
  std::lock_guard lk(m_);
  return sequence_;
}

void FrameLog::clear() {
  std::lock_guard lk(m_);
  ring_.clear();
  head_ = 0;
}

std::string FrameLog::line(const FrameRecord& r) {
  static constexpr const char* kProtocols[] = {"DL ", "ASC", "RTU"};
  char head[48];
  std::snprintf(head, sizeof head, "%12.3f %s %s  ", r.ms, arrowOf(r.direction),
                kProtocols[static_cast<int>(r.protocol)]);
  std::string out = head;
  out += r.bytes.empty() && r.direction == FrameDirection::Received ? "(nothing)" : r.bytes;
  const char* outcome = outcomeText(r.outcome);
  if (*outcome || !r.decoding.empty()) {
    if (out.size() < 44) out.resize(44, ' ');
    out += "  ";
    out += outcome;
    if (*outcome && !r.decoding.empty()) out += ", ";
    out += r.decoding;
  }
  return out;
}

std::string FrameLog::text(const std::vector<FrameRecord>& records) {
  std::string out;
  for (const auto& r : records) {
    out += line(r);
    out += '\n';
  }
  return out;
}

bool FrameLog::save(const std::string& path, std::string* error) const {
  const SaveResult r = saveFileAtomically(path, text(records()));
  if (!r && error) *error = r.error;
  return r.ok;
}

}  // namespace zavo
