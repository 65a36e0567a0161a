#pragma once
// The Parameter Set editor's offer to read the drive's parameters once a link comes up: on the
// first timer tick with the link open it asks "Do you want to read parameters of servo?"; a
// modified document is offered for saving first. The offer is made again after the link has
// been down.

#include <functional>

namespace zavo {

class ReadOffer {
 public:
  // Saves the document (true when saved; false when it failed or the user gave up the path).
  using Save = std::function<bool()>;

  // One timer tick. `busy`: a transfer is running, ask nothing now. True when the caller
  // should read every listed parameter.
  bool tick(bool linked, bool busy, bool documentModified, const Save& save);
  bool asked() const { return asked_; }

 private:
  bool asked_ = false;
};

}  // namespace zavo
