#pragma once
// Titles, messages and column headings of the Parameter Set editor and its value editor, from
// the active text table; a text the table lacks falls back to its English wording, so no box
// ever comes up blank.

#include <string>

namespace zavo::settext {

// The editor's caption, which also titles its "No parameter is selected!" box.
inline constexpr const char* kParameterSetCaption = "Parameter Set";

std::string noParameterSelected();
std::string errorMessageTitle();
std::string modelCodeReadOnly();
// The read-only notice for `code`.
std::string readOnlyNotice(const std::string& code);
std::string resetWithOthers();

std::string writeTitle();
std::string writingParameters();
std::string readTitle();
std::string readingParameters();
std::string error();
std::string communicationTitle();

std::string setDefaultQuestion();
std::string setAsDefaultTitle();

std::string compareTitle();
std::string compareFinished();

std::string readFromServoQuestion();
std::string readParameterTitle();
std::string saveChangedQuestion();
std::string saveFileTitle();

std::string outOfRange();
// A Write refused for a value beyond its limits (a file edited by hand).
std::string overRange(const std::string& code);

// Column headings.
std::string noteHeader();
std::string parameterNameHeader();
std::string valueHeader();
std::string unitHeader();
std::string setRangeHeader();
std::string defaultHeader();
std::string editValueHeader();
std::string readValueHeader();

}  // namespace zavo::settext
