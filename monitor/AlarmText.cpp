#include "monitor/AlarmText.h"

#include <cstdio>
#include <iterator>

#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::monitor {
namespace {

constexpr const char* kNoteIndent = "   ";
constexpr const char* kUnknownAlarm = "-----";

// String id of each alarm code's text, 0-32.
constexpr unsigned kAlarmTexts[] = {
    ids::kAlarm0,  ids::kAlarm1,  ids::kAlarm2,  ids::kAlarm3,  ids::kAlarm4,  ids::kAlarm5,  ids::kAlarm6,
    ids::kAlarm7,  ids::kAlarm8,  ids::kAlarm9,  ids::kAlarm10, ids::kAlarm11, ids::kAlarm12, ids::kAlarm13,
    ids::kAlarm14, ids::kAlarm15, ids::kAlarm16, ids::kAlarm17, ids::kAlarm18, ids::kAlarm19, ids::kAlarm20,
    ids::kAlarm21, ids::kAlarm22, ids::kAlarm23, ids::kAlarm24,
    // The reserved alarms 25-32 run on from 62834.
    ids::kAlarm25, ids::kAlarm25 + 1, ids::kAlarm25 + 2, ids::kAlarm25 + 3, ids::kAlarm25 + 4,
    ids::kAlarm25 + 5, ids::kAlarm25 + 6, ids::kAlarm32,
};
static_assert(ids::kAlarm25 + 7 == ids::kAlarm32 && std::size(kAlarmTexts) == 33);

}  // namespace

std::string alarmRowName(int row) { return row == 0 ? "AL" : "A" + std::to_string(row); }

std::string alarmCodeText(std::int32_t code) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", code);
  return buf;
}

std::string alarmNote(std::int32_t code) {
  if (code < 0 || code >= static_cast<std::int32_t>(std::size(kAlarmTexts))) return std::string(kNoteIndent) + kUnknownAlarm;
  return kNoteIndent + text(kAlarmTexts[code]);
}

}  // namespace zavo::monitor
