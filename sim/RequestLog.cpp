#include "sim/RequestLog.h"

#include <cmath>

namespace zavo::sim {
namespace {

// Tests keep a drive running for minutes at most; a soak run must not grow without end.
constexpr std::size_t kMaxEntries = 1u << 20;

std::string text(const Bytes& b) {
  std::string out;
  for (const std::uint8_t c : b) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\\') out += "\\\\";
    else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else {
      char esc[5];
      std::snprintf(esc, sizeof esc, "\\x%02X", c);
      out += esc;
    }
  }
  return out;
}

std::string hexPairs(const Bytes& b) {
  std::string out;
  for (std::size_t i = 0; i < b.size(); ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, i ? " %02X" : "%02X", b[i]);
    out += pair;
  }
  return out;
}

}  // namespace

RequestLog::~RequestLog() {
  if (file_) std::fclose(file_);
}

bool RequestLog::writeTo(const std::string& path) {
  std::lock_guard lk(m_);
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "w");
  return file_ != nullptr;
}

std::string RequestLog::line(const LogEntry& e) {
  const bool hex = e.protocol == LineProtocol::ModbusRtu;
  const auto show = [hex](const Bytes& b) { return hex ? hexPairs(b) : text(b); };
  return std::to_string(static_cast<long long>(std::floor(e.ms))) + " " + show(e.request) + " -> " +
         (e.replied ? show(e.reply) : std::string("(none)"));
}

void RequestLog::add(LogEntry entry) {
  std::lock_guard lk(m_);
  ++counts_[static_cast<std::size_t>(entry.kind)];
  if (file_) {
    std::fprintf(file_, "%s\n", line(entry).c_str());
    std::fflush(file_);
  }
  if (entries_.size() >= kMaxEntries) entries_.erase(entries_.begin(), entries_.begin() + kMaxEntries / 2);
  entries_.push_back(std::move(entry));
}

std::vector<LogEntry> RequestLog::entries() const {
  std::lock_guard lk(m_);
  return entries_;
}

int RequestLog::count(RequestKind kind) const {
  std::lock_guard lk(m_);
  return counts_[static_cast<std::size_t>(kind)];
}

int RequestLog::total() const {
  std::lock_guard lk(m_);
  int n = 0;
  for (const int c : counts_) n += c;
  return n;
}

void RequestLog::clear() {
  std::lock_guard lk(m_);
  entries_.clear();
  counts_.fill(0);
}

}  // namespace zavo::sim
