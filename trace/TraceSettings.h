#pragma once
// The settings of one capture: what the Trace Setting dialog edits, the trace window keeps,
// the drive is armed with and trace.ini remembers. A plain value; the entry rules that keep
// it sound are in TraceRules.h, the names and units of the sources in TraceSources.h.

#include <array>
#include <cstdint>

namespace zavo::trace {

inline constexpr int kChannelCount = 4;

enum class TraceMode { Single = 0, Cycle = 1, Monitor = 2 };
enum class TriggerEdge { Rise = 0, Fall = 1, Both = 2 };

// Sources 1-8 are the analog signals; 9 onward the digital inputs, then the outputs.
inline constexpr int kSourceNone = 0;
inline constexpr int kSourceSpeedCommand = 1;
inline constexpr int kSourceSpeedFeedback = 2;
inline constexpr int kSourceTorqueCommand = 3;
inline constexpr int kSourceTorqueFeedback = 4;
inline constexpr int kSourceDeviation = 5;
inline constexpr int kSourceElectricalAngle = 6;
inline constexpr int kSourcePulseReference = 7;
inline constexpr int kSourceCurrentU = 8;
inline constexpr int kFirstDigitalSource = 9;

inline constexpr int kNoTrigger = 0;  // trigger channel "None"; 1-4 are Data1-Data4

struct TraceSettings {
  int mode = static_cast<int>(TraceMode::Single);
  int interval = 1;  // × 100 µs in Single and Cycle, × 10 ms in Monitor
  std::array<int, kChannelCount> sources{kSourceSpeedCommand, kSourceSpeedFeedback, kSourceNone, kSourceNone};
  std::array<int, kChannelCount> colours{0, 2, 3, 4};  // colour table indices
  std::array<bool, kChannelCount> reverse{};           // drawing only
  int triggerChannel = kNoTrigger;
  int triggerLevel = 0;  // in the unit of the trigger channel's source
  int edge = static_cast<int>(TriggerEdge::Rise);
  int triggerPosition = 0;  // percent of the record before the trigger, 0-50

  TraceMode traceMode() const { return static_cast<TraceMode>(mode); }
  bool monitor() const { return traceMode() == TraceMode::Monitor; }
  // A trigger takes part only outside Monitor mode.
  bool triggered() const { return triggerChannel != kNoTrigger && !monitor(); }
  // The source of the trigger channel (kSourceNone without trigger).
  int triggerSource() const;

  // Points of one line on the screen: 1024, or the 5120-point roll of Monitor mode.
  int pointsPerLine() const;
  // Time of one sample and of a whole line, in ms.
  double sampleTimeMs() const;
  double lineTimeMs() const;
  // The sample period word of trace.ini and the trace files: interval × 10000.
  std::int32_t samplePeriodWord() const;

  // Data 4 is given up to the deviation's high word when data 1, 2 or 3 traces the deviation.
  bool data4Free() const;
  // The sources as the drive is told them (data 4 becomes 33 when it is not free).
  std::array<int, kChannelCount> armedSources() const;

  friend bool operator==(const TraceSettings&, const TraceSettings&) = default;
};

}  // namespace zavo::trace
