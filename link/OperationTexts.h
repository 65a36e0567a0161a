#pragma once
// Titles and messages of the drive operations, with the string ids they have in the text
// tables. A text the active table lacks falls back to its English wording.

#include <string>

namespace zavo::optext {

inline constexpr unsigned kErrorId = 61884;             // "Error"
inline constexpr unsigned kWriteSuccessId = 61885;      // "Write successfully!!"
inline constexpr unsigned kWriteDataTitleId = 61886;    // "Write data"
inline constexpr unsigned kRestartServoId = 61887;      // "Restart servo!!\n(Power off, then power on.)"

inline constexpr unsigned kCommunicationTitleId = 61679;  // "Communication Message"
inline constexpr unsigned kCommunicateErrorId = 61681;    // "Communicate Error!"

inline constexpr const char* kCommunicationTitle = "Communication Message";
inline constexpr const char* kHandshakeFailed = "Communicate between PC and Servo Error!";
inline constexpr const char* kCantOpenPort = "Can't open COM port!";
inline constexpr const char* kDisconnect = "Disconnect";
inline constexpr const char* kReadingImage = "Reading date from Servo...: %04XH";
inline constexpr const char* kWritingImage = "Writing data to Servo...: %04XH";
inline constexpr const char* kReadDiDo = "Read DI/DO planning:";
inline constexpr const char* kWriteDiDo = "Write DI/DO planning:";
inline constexpr const char* kReadPosition = "Read internal position command planning: ";
inline constexpr const char* kWritePosition = "Write internal position command planning: ";

std::string error();
std::string writeSuccess();
std::string writeDataTitle();
std::string restartServo();
std::string communicationTitle();
std::string communicateError();
// "Communicate Error!" + blank line + what happened + " !!": the link-lost box.
std::string linkLost(const std::string& what = kDisconnect);

}  // namespace zavo::optext
