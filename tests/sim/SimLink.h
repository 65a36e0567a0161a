#pragma once
// A virtual drive and the program's port on its pty: the two ends of a real serial line, for
// tests that talk to the drive the way the program does.

#include <cstdint>
#include <optional>
#include <string>

#include "comtrak/CSerial.h"
#include "link/Frame.h"
#include "sim/RequestKind.h"
#include "sim/VirtualDrive.h"

namespace zavo::sim::test {

std::string textOf(const Bytes& b);
Bytes bytesOf(const std::string& s);
// A DriveLink frame from its text without the checksum ("R6CB" -> "R6CB0D").
Frame driveLinkFrame(const std::string& body);
// The DriveLink data reply for `value`, built by hand ("%" + four digits + checksum).
std::string dataReplyText(int value);

class SimLink {
 public:
  static constexpr int kReadTimerMs = 250;

  explicit SimLink(SimOptions options = {});
  ~SimLink();

  VirtualDrive drive;
  CSerial port;

  // Opens the port on the drive's current pty (after a replug, the new one).
  bool openPort();
  // One CommandSend: the reply bytes, or nullopt when it did not complete.
  std::optional<Bytes> exchange(const Frame& request, std::size_t expected);
  // Everything that comes back to `request` until the line goes quiet.
  Bytes sendAndCollect(const Frame& request);
  // The program's read of a register: the value, or -1 when the exchange fails.
  int read(int page, int address);
  // The program's write of a register: true when acknowledged.
  bool write(int page, int address, int value);
  // Store and fetch through the indirect access window of the drive type.
  bool store(int linear, int value);
  int fetch(int linear);
};

}  // namespace zavo::sim::test
