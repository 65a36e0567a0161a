#pragma once
// Conversion between the raw drive word of an item and the value the user sees.
//
// An item is named by its group letter and its number within the group ('S', 1 is Sn201;
// 'T', 9 is Tn109; 'U', 6 is Un06), plus the parameter id where groups share a letter
// (Pn4nn against Pn3nn; the linear-motor items OnE above id 2000 against the extended
// registers 'O'). Scaled results are rounded half away from zero. The rated speed S, the
// legacy series flag and the drive type come from driveContext().
//
// Letters beyond the parameter groups: 'A' alarms, 'd' diagnostics, 'U' display values,
// 'O' extended registers, 'R' trace channels (see setTraceRule), and the write-only tuning
// groups 'G' (gain adjustment) and 'M' (mechanical analysis).

#include <cstdint>
#include <string_view>

namespace zavo::conversion {

inline constexpr char kAlarmLetter = 'A';
inline constexpr char kDiagnosticLetter = 'd';
inline constexpr char kMonitorLetter = 'U';
inline constexpr char kExtendedLetter = 'O';
inline constexpr char kTraceLetter = 'R';
inline constexpr char kGainTuningLetter = 'G';
inline constexpr char kMechanicalLetter = 'M';

// Raw drive value -> display value.
std::int32_t toDisplay(char letter, int item, std::int32_t raw, int id = 0);
// Display value -> raw drive value.
std::int32_t toRaw(char letter, int item, std::int32_t display, int id = 0);

// The same keyed by parameter code ("Sn216", "Pn403", "OnE06").
std::int32_t toDisplay(std::string_view code, std::int32_t raw);
std::int32_t toRaw(std::string_view code, std::int32_t display);

// Speed scaling: raw / (16384 / S) with the legacy series flag, raw / (4096 / S) without.
std::int32_t speedToDisplay(std::int32_t raw);
std::int32_t speedToRaw(std::int32_t display);

// value x num / den, rounded half away from zero and held to the 32-bit range.
std::int32_t scaled(std::int64_t value, std::int64_t num, std::int64_t den);

// Trace channels ('R') are scaled by a rule that the trace acquisition installs; until one is
// installed (or after nullptr) they pass through unchanged.
using TraceRule = std::int32_t (*)(int channel, std::int32_t raw);
void setTraceRule(TraceRule rule);

}  // namespace zavo::conversion
