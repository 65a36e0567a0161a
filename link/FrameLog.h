#pragma once
// The frame log: every request the link sends and every reply it receives, with a monotonic
// time, the bytes as they were on the line, what became of the exchange and, where the
// program knows it, what the frame means. For the engineer at a line that misbehaves (a
// wrong station, an echoing two-wire adapter, noise). Off unless asked for: the exchanges
// look at activeFrameLog() once and do nothing more while it is null. Bounded: a ring of the
// last kCapacity frames. Thread-safe (the trace worker exchanges too).

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace zavo {

enum class FrameProtocol : std::uint8_t { DriveLink, ModbusAscii, ModbusRtu };
enum class FrameDirection : std::uint8_t { Sent, Received };
enum class FrameOutcome : std::uint8_t {
  Sent,         // a request as it left
  Reply,        // a reply the exchange took
  Refused,      // the drive's refusal ('!', or a Modbus exception)
  Timeout,      // nothing (or not all) came back in time
  BadChecksum,  // something came back that does not check out
  Echo,         // the request itself, given back by the line before the reply
};

struct FrameRecord {
  std::uint64_t sequence = 0;  // running number, never reused while the log lives
  double ms = 0;               // since the log was made
  FrameDirection direction = FrameDirection::Sent;
  FrameProtocol protocol = FrameProtocol::DriveLink;
  FrameOutcome outcome = FrameOutcome::Sent;
  std::string bytes;
  std::string decoding;  // "" when nothing is known
};

class FrameLog {
 public:
  static constexpr std::size_t kCapacity = 10000;
  using Listener = std::function<void(const FrameRecord&)>;

  explicit FrameLog(std::size_t capacity = kCapacity);
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  // Stamps the time and the sequence number and keeps the record; the oldest goes when full.
  void add(FrameDirection direction, FrameProtocol protocol, FrameOutcome outcome,
           std::span<const std::uint8_t> bytes, std::string decoding);
  // Oldest first: everything kept, or only what came after `sequence`.
  std::vector<FrameRecord> records() const;
  std::vector<FrameRecord> since(std::uint64_t sequence) const;
  std::size_t size() const;
  std::uint64_t lastSequence() const;
  void clear();
  // Told of every record as it is added, on the thread that exchanged. Set before the log
  // is made active.
  void setListener(Listener listener);

  // One line of text per record, e.g. "   103.250 -> R547F2   read 547".
  static std::string line(const FrameRecord& r);
  static std::string text(const std::vector<FrameRecord>& records);
  // Writes every record as text (temporary file, then rename). False with `error` set.
  bool save(const std::string& path, std::string* error = nullptr) const;

 private:
  mutable std::mutex m_;
  std::size_t capacity_;
  std::vector<FrameRecord> ring_;
  std::size_t head_ = 0;  // where the next record goes once the ring is full
  std::uint64_t sequence_ = 0;
  std::int64_t startNs_ = 0;
  Listener listener_;
};

// The log the link writes to; null (the default) is off.
FrameLog* activeFrameLog();
void setActiveFrameLog(FrameLog* log);

// The bytes of a frame as the log shows them: text for DriveLink and Modbus ASCII (control
// bytes escaped, CR as \r, LF as \n, others as \xNN), hex pairs for RTU.
std::string frameBytesText(FrameProtocol protocol, std::span<const std::uint8_t> bytes);
const char* outcomeText(FrameOutcome outcome);

}  // namespace zavo
