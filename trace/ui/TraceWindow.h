#pragma once
// Wave Trace (resource 150): the software oscilloscope over the parameter view. It starts and
// stops captures through the capture core, moves what the worker reads into its display on
// its timers, and lets the user scale, move, scroll, zoom and measure the traces, and open,
// save, export and copy the record.

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"
#include "trace/TraceArming.h"
#include "trace/TraceDisplayFeed.h"
#include "trace/TraceSettingsBlock.h"
#include "trace/TraceView.h"
#include "trace/ui/TraceSettingDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;

class CSerial;

namespace zavo {

class DriveOperations;
class TracePlot;
struct LinkFlags;

// What the window is given by the view that opens it.
struct TraceWindowHost {
  enum class FileDialog { Open, SaveAs };
  using AskPath = std::function<QString(FileDialog kind, QWidget* parent)>;
  // The Trace Setting dialog: new settings and terminal assignment, or nothing on Cancel.
  using AskSettings = std::function<std::optional<TraceSettingChoice>(const trace::TraceSettings&, QWidget* parent)>;

  TraceWindowHost(CSerial& p, LinkFlags& f, trace::TraceExchange& e, trace::TraceSettingsBlock& b)
      : port(p), flags(f), exchange(e), settingsBlock(b) {}

  CSerial& port;
  LinkFlags& flags;
  trace::TraceExchange& exchange;
  trace::TraceSettingsBlock& settingsBlock;
  QTimer* monitorTimer = nullptr;  // the view's, off while the worker reads
  int monitorTimerMs = 1000;
  std::string programDir;  // where trace.ini is kept (empty: the window keeps none)
  AskPath askPath;         // the file dialogs (empty: no file is asked for)
  AskSettings askSettings;
  std::function<void(QWidget* parent)> openOnlineEditor;  // empty: control 1105 stays off
};

// How often the idle window looks whether the link is still there.
inline constexpr int kLinkWatchMs = 500;

class TraceWindow final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit TraceWindow(TraceWindowHost host, QWidget* parent = nullptr);
  ~TraceWindow() override;

  trace::TraceView& view() { return view_; }
  TracePlot& plot() { return *plot_; }
  bool running() const { return running_; }
  bool readingBack() const { return readingBack_; }
  const QString& path() const { return path_; }

  // The buttons' work, also for tests and the command line.
  void startOrStop();
  void toggleReadBack();
  bool openFile(const QString& path);
  bool saveFile(const QString& path);
  // The picture Copy to Clipboard places on the clipboard.
  QImage picture() const;

 protected:
  void onCancel() override;

 private:
  void buildControls();
  QWidget* channelColumn(int c);
  QWidget* timeRow();
  QWidget* cursorGroup();
  QWidget* triggerGroup();
  QWidget* buttonRow();

  void startCapture();
  void stopCapture();
  void workerStartTick();
  void displayTick();
  void readBackOff();
  void stopTimers();
  void writeTraceIni();

  void traceSetting();
  void openCommand();
  void saveAsCommand();
  void saveCommand();
  void copyCommand();
  QString askPath(TraceWindowHost::FileDialog kind);

  void scaleChosen(int c);
  void timeScaleChosen();
  void zoom(bool in);
  void cursorModeChanged();
  void measuredChosen();

  // Every control from the view's state.
  void refresh();
  void refreshControls();
  void refreshScales();
  void refreshTime();
  void refreshReadouts();
  void refreshTrigger();
  void refreshTitle();

  TraceWindowHost host_;
  trace::TraceView view_;
  trace::TraceArming arming_;
  trace::TraceDisplayFeed feed_;
  WindowTimer workerStartTimer_;
  std::vector<WindowTimer*> displayTimers_;  // 1130, 1140, 1150, 1160: the one the feed runs
  QTimer linkWatch_;
  QElapsedTimer sinceTick_;
  QString caption_;
  QString path_;
  bool running_ = false;
  bool readingBack_ = false;
  bool linked_ = false;
  bool refreshing_ = false;

  TracePlot* plot_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* readBack_ = nullptr;
  std::array<QComboBox*, trace::kChannelCount> scale_{};
  std::array<QSlider*, trace::kChannelCount> slider_{};
  std::array<QLabel*, trace::kChannelCount> legend_{};
  QScrollBar* scroll_ = nullptr;
  QComboBox* timeScale_ = nullptr;
  QRadioButton* vertical_ = nullptr;
  QRadioButton* horizontal_ = nullptr;
  QCheckBox* showCursors_ = nullptr;
  QComboBox* cursorAB_ = nullptr;
  QComboBox* cursorStyle_ = nullptr;
  QComboBox* measured_ = nullptr;
  std::array<QLabel*, 8> readouts_{};
  std::array<QLabel*, 2> readHeads_{};
  std::array<QLineEdit*, 4> trigger_{};
};

}  // namespace zavo
