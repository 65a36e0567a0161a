#include "app/AutoOffsetAdjust.h"

#include "link/DriveOperations.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo {
namespace {

// Fills the first two "%s" of a text from the language table. The table's text is never used
// as a printf format: a translation with a stray '%' must not read past the arguments.
std::string fillTwo(std::string pattern, const std::string& first, const std::string& second) {
  const std::string* args[] = {&first, &second};
  std::size_t from = 0;
  for (const std::string* a : args) {
    const auto at = pattern.find("%s", from);
    if (at == std::string::npos) break;
    pattern.replace(at, 2, *a);
    from = at + a->size();
  }
  return pattern;
}

bool m7Family(int driveType) { return driveType >= 2 && driveType <= 4; }

}  // namespace

std::pair<std::string, std::string> autoOffsetContacts(int driveType) {
  if (m7Family(driveType)) return {"(CN1-26)", "(CN1-29)"};
  return {"(CN1-12)", "(CN1-13)"};
}

std::string autoOffsetQuestion(int driveType) {
  const auto [first, second] = autoOffsetContacts(driveType);
  return fillTwo(text(ids::kAutoOffsetQuestion), first, second);
}

AutoOffsetOutcome runAutoOffsetAdjust(DriveOperations& ops, int driveType, bool linkOpen) {
  const std::string title = text(ids::kAutoOffsetTitle);
  const PromptAnswer answer =
      prompt().ask({autoOffsetQuestion(driveType), title, PromptIcon::Question, PromptButtons::YesNo});
  if (answer != PromptAnswer::Yes) return AutoOffsetOutcome::Declined;
  if (linkOpen && ops.writeRegister(kAutoOffsetPage, kAutoOffsetRegister, kAutoOffsetStart, false) == 1) {
    prompt().ask({text(ids::kSuccessfully), title, PromptIcon::Information, PromptButtons::Ok});
    return AutoOffsetOutcome::Succeeded;
  }
  prompt().ask({text(ids::kCommunicateError), title, PromptIcon::Stop, PromptButtons::Ok});
  return AutoOffsetOutcome::Failed;
}

}  // namespace zavo
