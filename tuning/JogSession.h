#pragma once
// JOG from the PC: the drive turns the motor at the speed the operator sets while its servo
// is off, through three registers: 536 the JOG speed (+CW, -CCW, 0 stop), 60B the JOG speed
// setting and 619 the JOG mode switch.
//
// The JOG speed register holds a drive speed word (4096 or 16384 per rated speed); every
// write of it is given in rpm and scaled by the transfer. The word read when JOG begins is
// shown in rpm, handed to 60B in rpm, and put back on leaving exactly as it was read: a
// session leaves the JOG speed as it found it.

#include <cstdint>

#include "link/DriveOperations.h"

namespace zavo::tuning {

// The JOG window's requests to the view (message 0x784: wParam the request, lParam its value).
inline constexpr unsigned kMsgJog = 0x784;
enum JogRequest : int { kJogRefresh = 1, kJogRunFirst = 3, kJogCw = 5, kJogCcw = 7, kJogStop = 11, kJogExit = 12 };

class JogSession {
 public:
  explicit JogSession(DriveOperations& ops) : ops_(ops) {}

  // Read 536, then 60B = that speed, 536 = 0, 619 = 1: false at the first failure.
  bool enter();
  int savedRpm() const { return savedRpm_; }
  std::uint16_t savedWord() const { return savedWord_; }

  // 536 in rpm.
  bool refresh(int& rpm);
  bool run(int rpm);
  bool stop() { return run(0); }
  // 619 = 0, and only when that was taken, 536 = the word it held at entry.
  bool leave();
  // One request of message 0x784; a refresh puts the speed read into `rpm`.
  void request(int code, long value, int& rpm);

 private:
  bool readSpeedWord(std::uint16_t& word);

  DriveOperations& ops_;
  std::uint16_t savedWord_ = 0;
  int savedRpm_ = 0;
};

}  // namespace zavo::tuning
