#pragma once
// A prompt for tests: records every message box and answers from a script (default: the
// accepting button). Installs itself for its lifetime.

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Prompt.h"

namespace zavo::test {

class RecordingPrompt final : public Prompt {
 public:
  RecordingPrompt();
  ~RecordingPrompt() override;

  PromptAnswer ask(const PromptRequest& request) override;

  void script(PromptAnswer answer);
  // Called with each box as it comes up (to look at the program while the box is up).
  void whileShown(std::function<void(const PromptRequest&)> look);
  std::vector<PromptRequest> shown() const;
  std::vector<std::string> texts() const;
  void clear();

 private:
  mutable std::mutex m_;
  std::vector<PromptRequest> shown_;
  std::deque<PromptAnswer> script_;
  Prompt* previous_ = nullptr;
  std::function<void(const PromptRequest&)> look_;
};

}  // namespace zavo::test
