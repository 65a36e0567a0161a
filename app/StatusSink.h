#pragma once
// Where the connection core reports what it read for the status bar: pane N is to show the
// state in the snapshot. The main window's status bar is the sink; tests record.

#include "app/StatusPanes.h"

namespace zavo {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void refreshPane(int pane, const StatusSnapshot& snapshot) = 0;

  void refreshAll(const StatusSnapshot& snapshot) {
    for (int p = 0; p < kStatusPaneCount; ++p) refreshPane(p, snapshot);
  }
};

}  // namespace zavo
