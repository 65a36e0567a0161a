#pragma once
// What the capture tells the user. The drive's own technical messages are literal, as the
// drive's documentation quotes them; "Communicate Error!" comes from the text table.

#include <string>

namespace zavo::trace::texts {

inline constexpr const char* kEnableFailed = "write 0X9F5=1 error!";
inline constexpr const char* kModeFailed = "write realtime mode error!";
inline constexpr const char* kSetupFailed = "setup command send error!";
inline constexpr const char* kStartFailed = "start command send error!";
inline constexpr const char* kPortRefused = "Error Communication Port ,Please Use USB Port";
inline constexpr const char* kHandBackFailed = "Write 0x7D2=2 error!";
inline constexpr const char* kRingTooHigh = "Read 9f6 > 1023!";

// "Communicate Error!" in the active language.
std::string communicateError();
// Its caption, "Communication Message".
std::string communicationTitle();

}  // namespace zavo::trace::texts
