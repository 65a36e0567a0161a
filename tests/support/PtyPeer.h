#pragma once
// A scripted peer on the master side of a pseudo-terminal: the program under test opens the
// slave path with the real CSerial, and each complete request is answered by a responder.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zavo::test {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text);
std::string textOf(const Bytes& bytes);

struct PeerReply {
  Bytes bytes;               // sent back (nothing: the peer stays silent)
  int delayMs = 0;           // waited before the first byte
  bool hangUpAfter = false;  // close the master side after sending: the line is gone
};

class PtyPeer {
 public:
  enum class Framing { DriveLink, ModbusAscii, ModbusRtu };
  using Responder = std::function<PeerReply(const Bytes& request)>;

  explicit PtyPeer(Framing framing = Framing::DriveLink);
  ~PtyPeer();
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  const std::string& slavePath() const { return slavePath_; }
  void serve(Responder responder);
  void stop();
  // Writes bytes towards the program outside any exchange (stale input on the line).
  void inject(const Bytes& bytes);
  std::vector<Bytes> requests() const;
  bool hungUp() const { return master_.load() < 0; }

 private:
  void run();
  std::size_t frameLength(const Bytes& buffer) const;
  void hangUp();

  Framing framing_;
  std::atomic<int> master_{-1};
  int slaveKeeper_ = -1;
  std::string slavePath_;
  Responder responder_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  mutable std::mutex m_;
  std::vector<Bytes> requests_;
};

}  // namespace zavo::test
