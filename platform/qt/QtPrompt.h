#pragma once
// The prompt service shown as a QMessageBox. A box asked for from another thread (the trace
// worker) is shown by the user-interface thread, and the asking thread waits for the answer.

#include <QMessageBox>

#include "platform/Prompt.h"

namespace zavo {

class QtPrompt final : public Prompt {
 public:
  PromptAnswer ask(const PromptRequest& request) override;

  // The pieces of the mapping, public so that the mapping itself can be checked.
  static QMessageBox::Icon iconOf(PromptIcon icon);
  static QMessageBox::StandardButtons buttonsOf(PromptButtons buttons);
  static PromptAnswer answerOf(QMessageBox::StandardButton button);

  // Builds the box for `request` without showing it (parented to the active window).
  static QMessageBox* makeBox(const PromptRequest& request);

 private:
  PromptAnswer askHere(const PromptRequest& request);
};

}  // namespace zavo
