#pragma once
// String ids of the messages the document shows, and the lookup of their text in the active
// text table.

#include <string>

namespace zavo::doctext {

inline constexpr int kInvalidFile = 61728;        // a file that is not one of ours, or is damaged
inline constexpr int kSerialMismatch = 62195;     // "Serial can't match! Open Error!"
inline constexpr int kSaveChangesQuestion = 61638;  // "Parameter is changed, do you want to save it?"

std::string text(int id);

}  // namespace zavo::doctext
