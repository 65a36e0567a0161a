#pragma once
// The two measuring cursors of the plot, A and B: vertical lines that read times, or
// horizontal lines that read values of the measured channel (and, beside them, of data 2).
// Positions are pixels from the plot's left or top edge.

#include <array>
#include <string>

#include "trace/TraceScale.h"
#include "trace/TraceTimeAxis.h"

namespace zavo::trace {

enum class CursorMode { Vertical = 0, Horizontal = 1 };
enum class CursorStyle { Line = 0, Cross = 1 };
inline constexpr int kCursorA = 0;
inline constexpr int kCursorB = 1;
inline constexpr int kNoCursor = -1;

struct TraceCursors {
  CursorMode mode = CursorMode::Vertical;
  CursorStyle style = CursorStyle::Line;
  bool shown = false;
  int selected = kCursorA;
  std::array<int, 2> x{};  // vertical cursors
  std::array<int, 2> y{};  // horizontal cursors

  // The positions of the cursors of the present mode.
  std::array<int, 2>& lines() { return mode == CursorMode::Vertical ? x : y; }
  const std::array<int, 2>& lines() const { return mode == CursorMode::Vertical ? x : y; }
};

// The cursor a press at `pointer` takes: one whose line lies from 12 pixels before to 1 pixel
// after the pointer, the selected one first when both do; kNoCursor for none.
int pickCursor(const TraceCursors& c, int pointer);

struct CursorReadout {
  std::string a, b, diff, unit;              // times, or values of the measured channel
  std::string a2, b2, diff2, unit2;          // values of data 2 (horizontal cursors)
};

struct MeasuredChannel {
  const ChannelScale& scale;
  int source;
};

struct DivisionSizes {
  double time = 0;   // pixels of a time division
  double value = 0;  // pixels of a value division
};

// The read-outs for `c`: times "%.2f" in ms (T / division × x + offset, times the unit
// factor) or values "%.1f" (H − U / division × y), the differences B − A alike.
CursorReadout cursorReadout(const TraceCursors& c, const TraceTimeAxis& time, MeasuredChannel measured,
                            MeasuredChannel data2, DivisionSizes px);

// The unit beside a value read-out: " [rpm]", " [%]", " [pulse]", " [degree]"; empty for
// digital sources and none.
std::string valueUnitLabel(int source);
inline constexpr const char* kTimeUnitLabel = "[ms]";

}  // namespace zavo::trace
