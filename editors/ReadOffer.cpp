#include "editors/ReadOffer.h"

#include "editors/ParameterSetTexts.h"
#include "platform/Prompt.h"

namespace zavo {

bool ReadOffer::tick(bool linked, bool busy, bool documentModified, const Save& save) {
  if (!linked) {
    asked_ = false;
    return false;
  }
  if (busy || asked_) return false;
  // Marked before asking: the timer keeps ticking while the question is up.
  asked_ = true;
  const PromptAnswer read = prompt().ask({settext::readFromServoQuestion(), settext::readParameterTitle(),
                                          PromptIcon::Question, PromptButtons::YesNo});
  if (read != PromptAnswer::Yes) return false;
  if (!documentModified) return true;
  const PromptAnswer keep = prompt().ask({settext::saveChangedQuestion(), settext::saveFileTitle(),
                                          PromptIcon::Question, PromptButtons::YesNoCancel});
  if (keep == PromptAnswer::Cancel) return false;
  // Reading over unsaved values the user wanted kept would lose them.
  if (keep == PromptAnswer::Yes) return save && save();
  return true;
}

}  // namespace zavo
