#include "platform/Prompt.h"

#include <atomic>
#include <cstdio>

namespace zavo {
namespace {

class StderrPrompt final : public Prompt {
 public:
  PromptAnswer ask(const PromptRequest& r) override {
    if (r.title.empty())
      std::fprintf(stderr, "%s\n", r.text.c_str());
    else
      std::fprintf(stderr, "%s: %s\n", r.title.c_str(), r.text.c_str());
    switch (r.buttons) {
      case PromptButtons::YesNo:
      case PromptButtons::YesNoCancel: return PromptAnswer::Yes;
      case PromptButtons::RetryCancel: return PromptAnswer::Cancel;
      default: return PromptAnswer::Ok;
    }
  }
};

StderrPrompt& stderrPrompt() {
  static StderrPrompt p;
  return p;
}

std::atomic<Prompt*> installed{nullptr};

}  // namespace

Prompt& prompt() {
  Prompt* p = installed.load();
  return p ? *p : stderrPrompt();
}

Prompt* setPrompt(Prompt* p) { return installed.exchange(p); }

PromptAnswer showMessage(const std::string& text, const std::string& title, PromptIcon icon,
                         bool topmost) {
  return prompt().ask({text, title, icon, PromptButtons::Ok, topmost});
}

}  // namespace zavo
