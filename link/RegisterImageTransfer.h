#pragma once
// The drive's whole parameter memory as 16-bit words by linear number (256 words on drive
// types 0 and 1, 512 on 2-4), read into and written from the document's register image one
// word at a time through the indirect access window, with a progress window whose Cancel is
// seen between every two frames.

#include <functional>

#include "link/DriveOperations.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Progress.h"

namespace zavo {

class RegisterImageTransfer {
 public:
  RegisterImageTransfer(DriveOperations& ops, Progress& progress) : ops_(ops), progress_(progress) {}

  // 1 when every word was read; 0 on a failure (with its message) or a cancel (silent). The
  // words read before a failure or cancel stay in the image.
  int read(CZavoServoDoc& doc);
  // 1 when every word was stored (with the restart notice); 0 on a failure or cancel.
  int write(const CZavoServoDoc& doc);

 private:
  int eachWord(const char* format, const std::function<bool(int, int)>& frame);
  bool stepAndCheck();
  int fail(const std::string& progressText);
  int cancelled();

  DriveOperations& ops_;
  Progress& progress_;
};

}  // namespace zavo
