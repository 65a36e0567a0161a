#pragma once
// The one way core code talks to the user: a message box with text, title, icon and buttons.
// The desktop program installs a QMessageBox implementation, zavoctl prints to standard error,
// tests install a recording fake with scripted answers.

#include <string>

namespace zavo {

enum class PromptIcon { None, Stop, Exclamation, Question, Information };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
// Numbered as the classic message-box answers, so code that stores an answer keeps its meaning.
enum class PromptAnswer { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

struct PromptRequest {
  std::string text;
  std::string title;
  PromptIcon icon = PromptIcon::None;
  PromptButtons buttons = PromptButtons::Ok;
  bool topmost = false;
};

class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual PromptAnswer ask(const PromptRequest& request) = 0;
};

// Process-wide prompt service. Without an installed prompt, messages go to standard error
// and the first (accepting) button is the answer.
Prompt& prompt();
// Installs `p` (not owned; nullptr restores the default) and returns the previous one.
Prompt* setPrompt(Prompt* p);

// Shorthand for the common case of an informational box with one OK button.
PromptAnswer showMessage(const std::string& text, const std::string& title = {},
                         PromptIcon icon = PromptIcon::None, bool topmost = false);

}  // namespace zavo
