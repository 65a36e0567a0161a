#include "tuning/JogSession.h"

#include "params/catalogue/ValueConversion.h"
#include "tuning/RegisterAccess.h"
#include "tuning/TuningRegisters.h"

namespace zavo::tuning {

bool JogSession::readSpeedWord(std::uint16_t& word) {
  std::int32_t v = 0;
  if (!readRegister(ops_, kJogSpeed, v)) return false;
  word = static_cast<std::uint16_t>(v);
  return true;
}

bool JogSession::refresh(int& rpm) {
  std::uint16_t word = 0;
  if (!readSpeedWord(word)) return false;
  rpm = conversion::speedToDisplay(static_cast<std::int16_t>(word));
  return true;
}

bool JogSession::enter() {
  std::uint16_t word = 0;
  if (!readSpeedWord(word)) return false;
  savedWord_ = word;
  savedRpm_ = conversion::speedToDisplay(static_cast<std::int16_t>(word));
  return writePlain(ops_, kJogSpeedSetting, savedRpm_) && writePlain(ops_, kJogSpeed, 0) &&
         writePlain(ops_, kJogMode, kJogModeOn);
}

bool JogSession::run(int rpm) { return writePlain(ops_, kJogSpeed, rpm); }

bool JogSession::leave() {
  if (!writePlain(ops_, kJogMode, kJogModeOff)) return false;
  return writeWord(ops_, kJogSpeed, savedWord_);
}

void JogSession::request(int code, long value, int& rpm) {
  switch (code) {
    case kJogRefresh: refresh(rpm); break;
    case kJogRunFirst:
    case kJogCw:
    case kJogCcw: run(static_cast<int>(value)); break;
    case kJogStop: stop(); break;
    case kJogExit: leave(); break;
    default: break;
  }
}

}  // namespace zavo::tuning
