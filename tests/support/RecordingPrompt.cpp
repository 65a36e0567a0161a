#include "tests/support/RecordingPrompt.h"

namespace zavo::test {

RecordingPrompt::RecordingPrompt() { previous_ = setPrompt(this); }
RecordingPrompt::~RecordingPrompt() { setPrompt(previous_); }

PromptAnswer RecordingPrompt::ask(const PromptRequest& request) {
  if (look_) look_(request);
  std::lock_guard lk(m_);
  shown_.push_back(request);
  if (!script_.empty()) {
    const auto a = script_.front();
    script_.pop_front();
    return a;
  }
  switch (request.buttons) {
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel: return PromptAnswer::Yes;
    case PromptButtons::RetryCancel: return PromptAnswer::Retry;
    default: return PromptAnswer::Ok;
  }
}

void RecordingPrompt::whileShown(std::function<void(const PromptRequest&)> look) { look_ = std::move(look); }

void RecordingPrompt::script(PromptAnswer answer) {
  std::lock_guard lk(m_);
  script_.push_back(answer);
}

std::vector<PromptRequest> RecordingPrompt::shown() const {
  std::lock_guard lk(m_);
  return shown_;
}

std::vector<std::string> RecordingPrompt::texts() const {
  std::lock_guard lk(m_);
  std::vector<std::string> t;
  for (const auto& r : shown_) t.push_back(r.text);
  return t;
}

void RecordingPrompt::clear() {
  std::lock_guard lk(m_);
  shown_.clear();
  script_.clear();
}

}  // namespace zavo::test
