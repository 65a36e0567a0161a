#pragma once
// Names the status bar gives to the drive's control mode and to its servo status word.

#include <cstdint>
#include <string>

namespace zavo {

// "T", "S", "Pe", ... for control modes 0-10; "" for any other value.
std::string controlModeName(int controlMode);
// The text of the lowest set bit among bits 0-16 of the second servo status word; "Normal"
// when none is set. Bit 10 has no text.
std::string servoStatusText(std::uint32_t statusWord);

}  // namespace zavo
