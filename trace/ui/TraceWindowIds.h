#pragma once
// Resource and control ids of the trace window (dialog 150).

#include <array>

#include "trace/TraceSettings.h"

namespace zavo {

inline constexpr int kIddWaveTrace = 150;

inline constexpr int kIdcTraceSetting = 1007;
inline constexpr int kIdcTraceStart = 1066;
inline constexpr int kIdcTraceReadBack = 1067;
inline constexpr int kIdcTraceOpen = 1103;
inline constexpr int kIdcTraceSaveAs = 1104;
inline constexpr int kIdcTraceSave = 1065;
inline constexpr int kIdcTraceCopy = 1102;
inline constexpr int kIdcTraceOnlineEditor = 1105;
inline constexpr int kIdcTraceZoomIn = 1005;
inline constexpr int kIdcTraceZoomOut = 1006;
// Per channel: up, down, slider, scale combo, legend.
inline constexpr std::array<int, trace::kChannelCount> kIdcTraceUp{1001, 1003, 1062, 1064};
inline constexpr std::array<int, trace::kChannelCount> kIdcTraceDown{1002, 1004, 1063, 1100};
inline constexpr std::array<int, trace::kChannelCount> kIdcTraceSlider{1237, 1238, 1239, 1240};
inline constexpr std::array<int, trace::kChannelCount> kIdcTraceScale{1241, 1242, 1243, 1244};
inline constexpr std::array<int, trace::kChannelCount> kIdcTraceLegend{1245, 1246, 1247, 1248};
inline constexpr int kIdcTraceScroll = 1069;
inline constexpr int kIdcTraceTimeScale = 2011;
inline constexpr int kIdcTracePlot = 1249;
// Cursors.
inline constexpr int kIdcTraceCursorVertical = 1034;
inline constexpr int kIdcTraceCursorHorizontal = 1035;
inline constexpr int kIdcTraceCursorShow = 1217;
inline constexpr int kIdcTraceCursorAB = 6081;
inline constexpr int kIdcTraceCursorStyle = 6159;
inline constexpr int kIdcTraceMeasured = 4001;
inline constexpr int kIdcTraceReadA = 1250;
inline constexpr int kIdcTraceReadB = 1251;
inline constexpr int kIdcTraceReadDiff = 1252;
inline constexpr int kIdcTraceReadUnit = 1253;
inline constexpr int kIdcTraceRead2A = 1254;
inline constexpr int kIdcTraceRead2B = 1255;
inline constexpr int kIdcTraceRead2Diff = 1256;
inline constexpr int kIdcTraceRead2Unit = 1257;
// The trigger group.
inline constexpr int kIdcTraceTriggerPattern = 1260;
inline constexpr int kIdcTraceTriggerLevel = 1261;
inline constexpr int kIdcTraceTriggerEdge = 1262;
inline constexpr int kIdcTraceTriggerPosition = 1263;

}  // namespace zavo
