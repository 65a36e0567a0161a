#pragma once
// The rows of the alarm history as the alarm window and zavoctl show them: "AL" for the
// current alarm and "A1" .. "A9" for the past ones, the code as "%02d" and its note.

#include <cstdint>
#include <string>

namespace zavo::monitor {

inline constexpr int kAlarmRows = 10;

// "AL" for row 0, "A1" .. "A9" after it.
std::string alarmRowName(int row);
// "%02d" of the code.
std::string alarmCodeText(std::int32_t code);
// Three spaces and the text of the code; "-----" for a code the drive does not define.
std::string alarmNote(std::int32_t code);

}  // namespace zavo::monitor
