#pragma once
// Titles and messages of the online editor, the digit editors and the application pages, from
// the active text table; a text the table lacks falls back to its English wording.

#include <string>

namespace zavo::fieldtext {

inline constexpr const char* kOnlineCaption = "Online Parameter";
inline constexpr const char* kOverRangeFallback = "Over Range!!\n\n";
inline constexpr const char* kOnlineEditFailedFallback = "Online parameter eidt failed!!";
// The cam pages' whole-page refusal: a literal of the pages, not a table text.
inline constexpr const char* kOverrange = "overrange";

std::string overRange();
std::string errorMessageTitle();
std::string onlineEditFailed();
std::string communicateError();
std::string communicationTitle();
// "Are you sure of clearing parameter note %s?" with the slot's code.
std::string clearNoteQuestion(const std::string& code);
std::string clearMessageTitle();

std::string writeSuccess();
std::string writeDataTitle();
std::string restartServo();
std::string tuningFinishedTitle();
std::string error();
std::string filterFrequencyOutOfRange();
std::string filterQualityOutOfRange();
// "<code> write error!": how a row that the drive did not take is named.
std::string writeError(const std::string& code);

// A list item of the cam pages by string id, `english` where the table has none.
std::string camItem(unsigned id, const char* english);

}  // namespace zavo::fieldtext
