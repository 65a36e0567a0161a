#include "tuning/OnlineGain.h"

#include "tuning/RegisterAccess.h"

namespace zavo::tuning {
namespace {
constexpr int kDigitBits = 4;
constexpr int kDigitMask = 0xF;
constexpr RegisterRef kLearningState{'6', 0x3E};
}  // namespace

int learningDigit(int pn345, int digit) { return (pn345 >> (kDigitBits * digit)) & kDigitMask; }

int withLearningDigit(int pn345, int digit, int n) {
  const int shift = kDigitBits * digit;
  return (pn345 & ~(kDigitMask << shift)) + ((n & kDigitMask) << shift);
}

bool readLearningRates(DriveOperations& ops, int& pn345) {
  if (!ops.readParameter(kLearningRates)) return false;
  pn345 = ops.lastValue();
  return true;
}

bool writeLearningDigit(DriveOperations& ops, int last, int digit, int n) {
  return ops.writeParameter(kLearningRates, withLearningDigit(last, digit, n)) == 1;
}

bool readOnlineGains(DriveOperations& ops, int& pn345, OnlineGains& g) {
  std::int32_t state = 0;
  if (!readLearningRates(ops, pn345) || !readRegister(ops, kLearningState, state)) return false;
  int* into[] = {&g.speedIntegral, &g.speedGain, &g.positionGain};
  const char* codes[] = {"Sn212", "Sn211", "Pn310"};
  for (int i = 0; i < 3; ++i) {
    if (!ops.readParameter(codes[i])) return false;
    *into[i] = ops.lastValue();
  }
  return true;
}

}  // namespace zavo::tuning
