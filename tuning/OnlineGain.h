#pragma once
// The on-line auto gain adjustment (dialog 6010): the learning rates in Pn345, one hex digit
// each (digit 1 the speed integral time, 2 the speed gain, 3 the position gain), and the gains
// the drive arrives at while it learns (Sn212, Sn211, Pn310).

#include <array>

#include "link/DriveOperations.h"

namespace zavo::tuning {

inline constexpr int kLearningDigits = 3;
inline constexpr const char* kLearningRates = "Pn345";

int learningDigit(int pn345, int digit);            // digit 1-3
int withLearningDigit(int pn345, int digit, int n);  // the word with that digit set to n
bool readLearningRates(DriveOperations& ops, int& pn345);
// Writes Pn345 = `last` with `digit` set to `n`.
bool writeLearningDigit(DriveOperations& ops, int last, int digit, int n);

struct OnlineGains {
  int speedIntegral = 0;  // Sn212
  int speedGain = 0;      // Sn211
  int positionGain = 0;   // Pn310
};
// The timer's reads: Pn345 again, 63E, then the three gains.
bool readOnlineGains(DriveOperations& ops, int& pn345, OnlineGains& g);

}  // namespace zavo::tuning
