// The trace window (150) against the virtual drive: a capture started, drawn, measured with
// the cursors, saved, copied and opened again; its limits; its files with the prompt fake; the
// view's command; and the picture the program writes from a file without a window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include <filesystem>

#include "app/ui/WaveTraceCommand.h"
#include "editors/ui/OnlineParameterDialog.h"
#include "tests/editor/UiHelpers.h"
#include "tests/trace/CaptureFixture.h"
#include "tests/ui/AppFixture.h"
#include "trace/TraceFiles.h"
#include "trace/TraceIniHandOff.h"
#include "trace/ui/TracePlot.h"
#include "trace/ui/TraceWindow.h"
#include "trace/ui/TraceWindowIds.h"

namespace zavo {
namespace {

namespace fs = std::filesystem;
using namespace trace;

TraceSettings triggeredSingle() {
  TraceSettings s;
  s.sources = {kSourceElectricalAngle, kSourceSpeedFeedback, kSourceTorqueCommand, kFirstDigitalSource};
  s.triggerChannel = 1;
  s.triggerLevel = 180;
  s.edge = static_cast<int>(TriggerEdge::Both);
  s.triggerPosition = 25;
  return s;
}

template <class Pred>
bool pumpUntil(Pred done, int ms = 20000) {
  for (int waited = 0; waited < ms; waited += 5) {
    QApplication::processEvents();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

// A window over the virtual drive, its file dialogs and Trace Setting answered by the test.
class TraceWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zavo::test::qtApp();
    dir = fs::temp_directory_path() / ("trace-window-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    drive = std::make_unique<trace::test::CaptureFixture>();
    host = std::make_unique<TraceWindowHost>(drive->port, drive->flags, drive->exchange, block);
    host->programDir = dir.string();
    host->askPath = [this](TraceWindowHost::FileDialog kind, QWidget*) {
      asked.push_back(kind);
      return answer;
    };
    host->askSettings = [this](const TraceSettings&, QWidget*) { return settings; };
    window = std::make_unique<TraceWindow>(*host);
  }
  void TearDown() override {
    window.reset();
    drive.reset();
    fs::remove_all(dir);
  }
  QWidget* control(int id) const { return window->controlWidget(id); }
  QString label(int id) const { return window->control<QLabel>(id)->text(); }
  void mouse(QEvent::Type type, QPoint at) {
    QMouseEvent e(type, at, window->plot().mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window->plot(), &e);
  }
  std::string path(const char* name) const { return (dir / name).string(); }

  fs::path dir;
  std::unique_ptr<trace::test::CaptureFixture> drive;
  TraceSettingsBlock block;
  std::unique_ptr<TraceWindowHost> host;
  std::unique_ptr<TraceWindow> window;
  QString answer;
  std::vector<TraceWindowHost::FileDialog> asked;
  std::optional<TraceSettingChoice> settings;
};

TEST_F(TraceWindowTest, ATriggeredCaptureIsDrawnMeasuredSavedAndCopied) {
  settings = TraceSettingChoice{triggeredSingle(), {1, 2, 3}};
  window->press(kIdcTraceSetting);
  EXPECT_EQ(block.triggerChannel, 1) << "the settings go to the view's block";
  EXPECT_EQ(window->control<QLineEdit>(kIdcTraceTriggerPattern)->text(), "Electrical angle");
  EXPECT_EQ(label(kIdcTraceLegend[0]), "Electrical angle [degree]");
  EXPECT_EQ(window->control<QLineEdit>(kIdcTraceTriggerPosition)->text(), "25");

  window->press(kIdcTraceStart);
  ASSERT_TRUE(window->running());
  EXPECT_EQ(window->control<QPushButton>(kIdcTraceStart)->text(), "STOP");
  for (int id : {kIdcTraceOpen, kIdcTraceSaveAs, kIdcTraceSave}) EXPECT_FALSE(control(id)->isEnabled()) << id;
  EXPECT_TRUE(fs::exists(traceIniPath(dir.string()))) << "a running capture leaves its settings behind";
  ASSERT_TRUE(pumpUntil([&] { return !window->running(); })) << "a triggered Single ends with its record";
  EXPECT_EQ(window->control<QPushButton>(kIdcTraceStart)->text(), "START");
  EXPECT_TRUE(control(kIdcTraceSave)->isEnabled());
  const auto& angle = window->view().stored(0);
  EXPECT_NE(std::count(angle.begin(), angle.end(), 0), static_cast<long>(angle.size()));
  EXPECT_GE(window->view().scale(0).units, 50) << "AUTO after the capture";
  EXPECT_EQ(window->control<QComboBox>(kIdcTraceScale[0])->currentText(), "AUTO");
  zavo::test::saveScreenshot(window.get(), QStringLiteral("trace-window-single"));

  // Cursors: shown, A taken 5 px left of its line and dragged; the read-outs follow.
  window->press(kIdcTraceCursorShow);
  EXPECT_EQ(label(kIdcTraceReadUnit), "[ms]");
  const QPoint plot = plotRect().topLeft();
  const int a = window->view().cursors().x[0];
  mouse(QEvent::MouseButtonPress, plot + QPoint(a + 5, 100));
  mouse(QEvent::MouseMove, plot + QPoint(300, 100));
  mouse(QEvent::MouseButtonRelease, plot + QPoint(300, 100));
  EXPECT_EQ(window->view().cursors().x[0], 300);
  const TraceTimeAxis& t = window->view().time();
  EXPECT_EQ(label(kIdcTraceReadA).toStdString(), t.msText(t.timeAt(300, kBaseDivisionPx)));
  mouse(QEvent::MouseButtonPress, plot + QPoint(150, 100));  // no line near: nothing is taken
  mouse(QEvent::MouseMove, plot + QPoint(10, 100));
  EXPECT_EQ(window->view().cursors().x, (std::array<int, 2>{300, window->view().cursors().x[1]}));
  window->control<QRadioButton>(kIdcTraceCursorHorizontal)->click();
  EXPECT_EQ(label(kIdcTraceRead2Unit), " [rpm]") << "the second set reads data 2";
  zavo::test::saveScreenshot(window.get(), QStringLiteral("trace-window-cursors"));

  window->press(kIdcTraceCopy);
  EXPECT_EQ(QApplication::clipboard()->image().size(), plotPictureSize());
  for (int i = 0; i < 2; ++i) window->press(kIdcTraceZoomIn);
  window->control<QScrollBar>(kIdcTraceScroll)->setValue(4);
  EXPECT_EQ(window->view().time().scroll(), 4);
  zavo::test::saveScreenshot(window.get(), QStringLiteral("trace-window-zoomed"));

  answer = QString::fromStdString(path("record.trd"));
  window->press(kIdcTraceSave);
  EXPECT_EQ(asked, std::vector{TraceWindowHost::FileDialog::SaveAs}) << "Save without a name is Save As";
  EXPECT_EQ(window->windowTitle(), "Wave Trace - [" + answer + "]");
  TraceWindow again(*host);
  ASSERT_TRUE(again.openFile(answer));
  EXPECT_EQ(again.view().stored(0), window->view().stored(0));
  EXPECT_EQ(again.view().settings().triggerLevel, 180);
}

TEST_F(TraceWindowTest, MonitorRollsUntilStopAndKeepsItsLine) {
  TraceSettings s;
  s.mode = static_cast<int>(TraceMode::Monitor);
  s.sources = {kSourceSpeedCommand, kSourceSpeedFeedback, kSourceTorqueCommand, kSourceNone};
  settings = TraceSettingChoice{s, {}};
  window->press(kIdcTraceSetting);
  EXPECT_EQ(window->control<QComboBox>(kIdcTraceScale[0])->currentText(), "1000") << "no AUTO in Monitor mode";
  window->press(kIdcTraceStart);
  ASSERT_TRUE(pumpUntil([&] {
    const auto& line = window->view().display(1);
    return std::count(line.begin(), line.end(), 0) < 5120 - 150;
  })) << "the roll fills from the right";
  EXPECT_TRUE(window->running()) << "Monitor runs until it is stopped";
  zavo::test::saveScreenshot(window.get(), QStringLiteral("trace-window-monitor"));
  window->press(kIdcTraceStart);
  EXPECT_FALSE(window->running());
  EXPECT_EQ(window->view().stored(1).size(), 5121u);
  EXPECT_EQ(window->view().stored(1)[5119], window->view().display(1)[5119]) << "STOP keeps the line as the record";
  answer = QString::fromStdString(path("roll.trd"));
  window->press(kIdcTraceSaveAs);
  const TraceOpen o = openTraceFile(answer.toStdString(), 2, 0);
  ASSERT_EQ(o.result, TraceOpenResult::Ok);
  EXPECT_EQ(o.file.mode, 2);
  EXPECT_EQ(o.file.points, 5120);
}

TEST_F(TraceWindowTest, ZoomScrollAndScalesStayInTheirLimits) {
  auto* in = window->control<QPushButton>(kIdcTraceZoomIn);
  auto* scroll = window->control<QScrollBar>(kIdcTraceScroll);
  EXPECT_EQ(scroll->maximum(), 0);
  EXPECT_FALSE(control(kIdcTraceZoomOut)->isEnabled());
  for (int i = 0; i < 20; ++i) window->press(kIdcTraceZoomIn);
  EXPECT_EQ(window->view().time().zoom(), kMaxZoom);
  EXPECT_FALSE(in->isEnabled());
  EXPECT_EQ(scroll->maximum(), 9);
  scroll->setValue(9);
  for (int i = 0; i < 20; ++i) window->press(kIdcTraceZoomOut);
  EXPECT_EQ(scroll->maximum(), 0);
  EXPECT_EQ(window->view().time().scroll(), 0);

  auto* time = window->control<QComboBox>(kIdcTraceTimeScale);
  EXPECT_EQ(time->count(), 103);
  time->setCurrentIndex(102);
  time->activated(102);
  EXPECT_EQ(scroll->maximum(), 1014) << "one sample a division";

  auto* slider = window->control<QSlider>(kIdcTraceSlider[2]);
  auto* scale = window->control<QComboBox>(kIdcTraceScale[2]);
  scale->setCurrentIndex(7);  // 100 a division
  scale->activated(7);
  EXPECT_EQ(window->view().scale(2).units, 100);
  EXPECT_EQ(slider->value(), sliderCentre(100));
  window->press(kIdcTraceUp[2]);
  EXPECT_EQ(window->view().scale(2).halfSpan, 400);
  EXPECT_EQ(slider->value(), sliderCentre(100) + 1);
  slider->setValue(0);
  EXPECT_EQ(window->view().scale(2).halfSpan, 5 * 100 + sliderCentre(100) * 100);
  window->press(kIdcTraceDown[2]);
  EXPECT_EQ(slider->value(), 0) << "the slider's end";
}

TEST_F(TraceWindowTest, FilesThatDoNotOpenAreToldAndNothingChanges) {
  TraceRecordFile other = window->view().record();
  other.driveType = 3;
  std::ofstream(path("other.trd"), std::ios::binary) << traceFileBytes(other);
  std::ofstream(path("broken.trd"), std::ios::binary) << "; Zavo Servo M7 v0.1.160830\n[Trace Data]\n12";
  const TraceSettings before = window->view().settings();
  for (const char* name : {"other.trd", "broken.trd", "missing.trd", "record.csv"}) {
    drive->prompt.clear();
    answer = QString::fromStdString(path(name));
    window->press(kIdcTraceOpen);
    ASSERT_EQ(drive->prompt.texts().size(), 1u) << name;
    EXPECT_EQ(drive->prompt.texts()[0], std::string(name) == "other.trd" ? "Serial error" : traceOpenMessage(TraceOpenResult::Invalid));
    EXPECT_EQ(window->view().settings(), before) << name;
    EXPECT_EQ(window->windowTitle(), "Wave Trace") << name;
  }
  answer = QString::fromStdString(path("notes.txt"));
  window->press(kIdcTraceSaveAs);
  EXPECT_FALSE(fs::exists(path("notes.txt")));
  EXPECT_EQ(window->windowTitle(), "Wave Trace");
  answer = QString::fromStdString(path("export.CSV"));
  window->press(kIdcTraceSaveAs);
  EXPECT_TRUE(fs::exists(path("export.CSV")));
  EXPECT_EQ(window->path(), answer);
}

TEST_F(TraceWindowTest, CaptureControlsGoOffWithTheLink) {
  EXPECT_TRUE(control(kIdcTraceStart)->isEnabled());
  EXPECT_TRUE(control(kIdcTraceReadBack)->isEnabled());
  EXPECT_FALSE(control(kIdcTraceOnlineEditor)->isEnabled()) << "a host without the online editor";
  linkState().connected = 0;
  EXPECT_TRUE(pumpUntil([&] { return !control(kIdcTraceStart)->isEnabled(); }, 2000));
  EXPECT_FALSE(control(kIdcTraceReadBack)->isEnabled());
  EXPECT_TRUE(control(kIdcTraceOpen)->isEnabled()) << "files need no drive";
}

class TraceCommandTest : public zavo::test::AppFixture {};

TEST_F(TraceCommandTest, WaveTraceOpensModallyUnlessAMonitorWindowReadsTheDrive) {
  ASSERT_TRUE(start(options()));
  view()->toolWindows().display = true;
  EXPECT_FALSE(waveTrace(*view()));
  view()->toolWindows().display = false;

  std::ofstream(root / "exe" / "trace.ini") << "[0001]\n";
  bool opened = false;
  zavo::test::whenModal<TraceWindow>([&](TraceWindow* w) {
    opened = true;
    EXPECT_EQ(w->resourceId(), kIddWaveTrace);
    EXPECT_TRUE(view()->traceExchange().readBack) << "a trace.ini found asks for the read-back";
    EXPECT_FALSE(fs::exists(root / "exe" / "trace.ini"));
    bool asked = false;
    zavo::test::whenModal<TraceSettingDialog>([&](TraceSettingDialog* d) {
      asked = true;
      d->press(kIdCancel);
    });
    w->press(kIdcTraceSetting);
    EXPECT_TRUE(asked) << "Trace Setting asks with dialog 151";
    // Without a link the online editor stays off; with one it opens beside the trace, once.
    EXPECT_FALSE(w->controlWidget(kIdcTraceOnlineEditor)->isEnabled());
    linkState().connected = 1;
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(kLinkWatchMs + 100));
    QApplication::processEvents();
    w->press(kIdcTraceOnlineEditor);
    w->press(kIdcTraceOnlineEditor);
    const auto online = w->findChildren<OnlineParameterDialog*>();
    ASSERT_EQ(online.size(), 1);
    EXPECT_TRUE(online.front()->isVisible());
    EXPECT_FALSE(online.front()->isModal());
    linkState().connected = 0;
    w->press(kIdCancel);
  });
  view()->monitorTimer().stop();
  EXPECT_TRUE(frame()->runCommand(cmd::kWaveTrace));
  EXPECT_TRUE(opened);
  EXPECT_TRUE(view()->monitorTimer().isActive()) << "the view's timer runs again";
  EXPECT_FALSE(view()->traceExchange().readBack);
}

TEST(TraceImageTest, TheProgramWritesThePictureOfAFile) {
  const fs::path dir = fs::temp_directory_path() / ("trace-image-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  TraceView v(2, triggeredSingle(), {});
  v.display()[0].assign(1024, 120);
  v.keepDisplayed();
  std::ofstream((dir / "a.trd").string(), std::ios::binary) << traceFileBytes(v.record());
  std::ofstream((dir / "bad.trd").string(), std::ios::binary) << "junk\n";
  struct Case {
    const char* out;
    const char* file;
    int code;
  };
  for (const Case c : {Case{"a.png", "a.trd", 0}, Case{"a.ppm", "a.trd", 0}, Case{"a.bmp", "a.trd", 1},
                       Case{"b.png", "bad.trd", 1}, Case{"c.png", "none.trd", 1}}) {
    QProcess p;
    p.start(QStringLiteral(ZAVO_PROGRAM), {QStringLiteral("--trace-image"), QString::fromStdString((dir / c.out).string()),
                                            QString::fromStdString((dir / c.file).string())});
    ASSERT_TRUE(p.waitForFinished(60000)) << c.out;
    EXPECT_EQ(p.exitCode(), c.code) << c.out << " " << p.readAllStandardError().toStdString();
    if (c.code != 0) {
      EXPECT_FALSE(p.readAllStandardError().isEmpty()) << c.out;
      continue;
    }
    const QImage image(QString::fromStdString((dir / c.out).string()));
    EXPECT_EQ(image.size(), plotPictureSize()) << c.out;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zavo
