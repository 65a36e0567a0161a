#pragma once
// Wave Trace (32785): the trace window, modal over the view. It is not opened while a display
// value, diagnostics or alarm window reads the drive on the view's timer.

#include "trace/ui/TraceWindow.h"

namespace zavo {

class CZavoServoView;

// What the trace window of `view` works with: the view's port, link flags, trace exchange and
// settings block, its monitor timer, the program folder, and the file and settings dialogs.
TraceWindowHost traceWindowHost(CZavoServoView& view);
// The command: false when it was refused.
bool waveTrace(CZavoServoView& view);

}  // namespace zavo
