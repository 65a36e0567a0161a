#include "trace/TraceCursors.h"

#include <cstdio>

#include "trace/TraceSources.h"

namespace zavo::trace {
namespace {

constexpr int kPickBefore = 12;
constexpr int kPickAfter = 1;

bool near(int line, int pointer) { return line >= pointer - kPickBefore && line <= pointer + kPickAfter; }

std::string fixed(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

void values(const std::array<int, 2>& y, MeasuredChannel ch, double divisionPx, std::string& a, std::string& b,
            std::string& diff, std::string& unit) {
  const double va = valueAt(y[kCursorA], ch.scale, divisionPx);
  const double vb = valueAt(y[kCursorB], ch.scale, divisionPx);
  a = fixed("%.1f", va);
  b = fixed("%.1f", vb);
  diff = fixed("%.1f", vb - va);
  unit = valueUnitLabel(ch.source);
}

}  // namespace

int pickCursor(const TraceCursors& c, int pointer) {
  const auto& l = c.lines();
  const int other = c.selected == kCursorA ? kCursorB : kCursorA;
  if (near(l[static_cast<std::size_t>(c.selected)], pointer)) return c.selected;
  if (near(l[static_cast<std::size_t>(other)], pointer)) return other;
  return kNoCursor;
}

CursorReadout cursorReadout(const TraceCursors& c, const TraceTimeAxis& time, MeasuredChannel measured,
                            MeasuredChannel data2, DivisionSizes px) {
  CursorReadout r;
  if (c.mode == CursorMode::Vertical) {
    const double ta = time.timeAt(c.x[kCursorA], px.time);
    const double tb = time.timeAt(c.x[kCursorB], px.time);
    r.a = time.msText(ta);
    r.b = time.msText(tb);
    r.diff = time.msText(tb - ta);
    r.unit = kTimeUnitLabel;
    return r;
  }
  values(c.y, measured, px.value, r.a, r.b, r.diff, r.unit);
  values(c.y, data2, px.value, r.a2, r.b2, r.diff2, r.unit2);
  return r;
}

std::string valueUnitLabel(int source) {
  switch (TraceSources::kindOf(source)) {
    case SourceKind::Speed: return " [rpm]";
    case SourceKind::Torque: return " [%]";
    case SourceKind::Deviation: return " [pulse]";
    case SourceKind::Angle: return " [degree]";
    default: return {};
  }
}

}  // namespace zavo::trace
