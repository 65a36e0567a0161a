#pragma once
// Trace Setting (resource 151): the mode, the four channels (source, colour, reverse), the
// interval with the sample and line times it gives, and the trigger (channel, level, edge,
// position). The controls keep to the entry rules as they change: the interval and level
// ranges follow the mode and the trigger source, Monitor mode has no trigger, and data 4 is
// given up while data 1, 2 or 3 traces the position deviation. OK hands back the settings.

#include <array>
#include <optional>

#include "platform/qt/ResourceDialog.h"
#include "trace/TraceSettings.h"
#include "trace/TraceSources.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace zavo {

class DriveOperations;

inline constexpr int kIddTraceSetting = 151;
inline constexpr int kIdcTraceMode = 1300;
inline constexpr int kIdcTraceSourceFirst = 1301;   // data 1-4: 1301-1304
inline constexpr int kIdcTraceColourFirst = 1305;   // 1305-1308
inline constexpr int kIdcTraceReverseFirst = 1309;  // 1309-1312
inline constexpr int kIdcTraceInterval = 1313;      // edit with spin
inline constexpr int kIdcTraceIntervalRange = 1314;
inline constexpr int kIdcTraceIntervalUnit = 1315;
inline constexpr int kIdcTraceSampleTime = 1316;
inline constexpr int kIdcTracePoints = 1317;
inline constexpr int kIdcTraceLineTime = 1318;
inline constexpr int kIdcTraceTrigger = 1319;
inline constexpr int kIdcTraceLevel = 1320;  // edit with spin
inline constexpr int kIdcTraceLevelUnit = 1321;
inline constexpr int kIdcTraceEdge = 1322;
inline constexpr int kIdcTracePosition = 1323;

class TraceSettingDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  TraceSettingDialog(const trace::TraceSettings& initial, const trace::TraceSources& sources, int ratedSpeed,
                     QWidget* parent = nullptr);

  const trace::TraceSettings& settings() const { return settings_; }

 protected:
  void onOk() override;

 private:
  QWidget* channelRows();
  QWidget* intervalRows();
  QWidget* triggerRows();
  void load(const trace::TraceSettings& s);
  void modeChanged();
  void sourcesChanged();
  void triggerChanged();
  void refreshTimes();
  trace::TraceSettings fromControls() const;

  const trace::TraceSources& sources_;
  int ratedSpeed_;
  trace::TraceSettings settings_;
  int triggerSource_ = trace::kSourceNone;
  QComboBox* mode_;
  std::array<QComboBox*, trace::kChannelCount> source_{};
  std::array<QComboBox*, trace::kChannelCount> colour_{};
  std::array<QCheckBox*, trace::kChannelCount> reverse_{};
  QSpinBox* interval_;
  QLabel* intervalRange_;
  QLabel* intervalUnit_;
  QLabel* sampleTime_;
  QLabel* points_;
  QLabel* lineTime_;
  QComboBox* trigger_;
  QSpinBox* level_;
  QLabel* levelUnit_;
  QComboBox* edge_;
  QSpinBox* position_;
};

struct TraceSettingChoice {
  trace::TraceSettings settings;
  trace::TerminalAssignments assignments{};
};

// Reads the drive's terminal assignment first (while connected; the digital sources are
// named after it), then shows the dialog over `current`. The choice on OK, nothing on Cancel.
std::optional<TraceSettingChoice> askTraceSettings(DriveOperations& ops, const trace::TraceSettings& current,
                                                   QWidget* parent);

}  // namespace zavo
