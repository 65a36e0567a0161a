#include "app/StatusTexts.h"

#include <array>

namespace zavo {
namespace {

constexpr std::array<const char*, 11> kControlModes{"T",  "S",    "Pe",   "Pe-S", "S-T",  "Pe-T",
                                                     "Pi", "Pi-S", "Pi-T", "Pt",   "Pi-Pe"};

// Bit 8's two spaces and bit 13's missing letter are the drive manual's own words.
constexpr std::array<const char*, 17> kServoStatus{
    "Low power voltage",
    "High power voltage(Regenerative error)",
    "Motor overload",
    "Drive overcurrent",
    "A/B/Z phase signal error",
    "U/V/W phase signal error",
    "Multi-functional terminal planning error",
    "Memory Error",
    "Emergency  Stop",
    "Absolute encoder battery error",
    "",
    "Excessive position error",
    "Motor over speed",
    "ncorrect parameter setting",
    "Rotation inhibit error",
    "Absolute encoder battery error",
    "watch dog run",
};

}  // namespace

std::string controlModeName(int controlMode) {
  if (controlMode < 0 || controlMode >= static_cast<int>(kControlModes.size())) return {};
  return kControlModes[static_cast<std::size_t>(controlMode)];
}

std::string servoStatusText(std::uint32_t statusWord) {
  for (std::size_t bit = 0; bit < kServoStatus.size(); ++bit)
    if (statusWord & (1u << bit)) return kServoStatus[bit];
  return "Normal";
}

}  // namespace zavo
