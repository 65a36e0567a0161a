#pragma once
// A progress window for long drive transfers: a text, a bar and a Cancel button. `pump`
// processes one pending user-interface event, so the user's Cancel is seen between steps.

#include <string>

namespace zavo {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual void open(const std::string& title, int lower, int upper) = 0;
  virtual void setText(const std::string& text) = 0;
  virtual void step() = 0;
  // Processes one pending event; returns true once the user has cancelled.
  virtual bool pump() = 0;
  virtual void close() = 0;
};

// A progress that shows nothing and is never cancelled.
class NullProgress final : public Progress {
 public:
  void open(const std::string&, int, int) override {}
  void setText(const std::string&) override {}
  void step() override {}
  bool pump() override { return false; }
  void close() override {}
};

}  // namespace zavo
