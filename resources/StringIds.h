#pragma once
// String ids of the text tables (filled in completely as the tables grow).

namespace zavo::ids {

inline constexpr unsigned kEncoderPulsePerRotation = 61544;

}  // namespace zavo::ids
