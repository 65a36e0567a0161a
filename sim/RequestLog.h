#pragma once
// Every request the virtual drive saw, what it made of it and what it sent back: kept in
// memory for tests (with counts by kind) and, with --log, written one line per request as
// "<ms since start> <request> -> <reply or (none)>".

#include <array>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "sim/RequestFramer.h"
#include "sim/RequestKind.h"

namespace zavo::sim {

struct LogEntry {
  double ms = 0;  // since the drive started
  LineProtocol protocol = LineProtocol::DriveLink;
  RequestKind kind = RequestKind::Malformed;
  Bytes request;
  bool replied = false;
  Bytes reply;  // as it went on the line, faults included
};

class RequestLog {
 public:
  RequestLog() = default;
  ~RequestLog();
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  // Starts writing lines to `path` (truncated). False when it cannot be opened.
  bool writeTo(const std::string& path);
  void add(LogEntry entry);

  std::vector<LogEntry> entries() const;
  int count(RequestKind kind) const;
  int total() const;
  void clear();

  // The log line of an entry, without the line break. Text frames print as text (CR, LF and
  // other control bytes escaped), RTU frames as upper-case hex pairs.
  static std::string line(const LogEntry& e);

 private:
  mutable std::mutex m_;
  std::vector<LogEntry> entries_;
  std::array<int, kRequestKindCount> counts_{};
  std::FILE* file_ = nullptr;
};

}  // namespace zavo::sim
