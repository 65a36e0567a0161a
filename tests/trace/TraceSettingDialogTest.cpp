// Trace Setting (151): its controls follow the entry rules as they change, and OK hands back
// what they show.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include <thread>

#include "link/DriveOperations.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"
#include "tests/editor/UiHelpers.h"
#include "tests/support/RecordingPrompt.h"
#include "tests/ui/QtApp.h"
#include "trace/TraceTexts.h"
#include "trace/ui/TraceSettingDialog.h"
#include "trace/ui/WorkerMessages.h"

namespace zavo {
namespace {

using namespace trace;

struct Dialog {
  explicit Dialog(const TraceSettings& s = {}) : d(s, sources, 3000) {}
  QComboBox* combo(int id) { return d.control<QComboBox>(id); }
  QSpinBox* spin(int id) { return d.control<QSpinBox>(id); }
  QString label(int id) { return d.control<QLabel>(id)->text(); }
  bool enabled(int id) { return d.controlWidget(id)->isEnabled(); }

  TraceSources sources{2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x101, 0x102, 0x103, 0x104}};
  TraceSettingDialog d;
};

TEST(TraceSettingDialog, ModeSetsRangesUnitsAndTimes) {
  test::qtApp();
  Dialog t;
  EXPECT_EQ(t.d.windowTitle(), "Trace Setting");
  EXPECT_EQ(t.combo(kIdcTraceSourceFirst)->count(), 25);
  EXPECT_EQ(t.combo(kIdcTraceSourceFirst)->itemText(21), "DO-1 - RDY");
  struct Case {
    int mode, interval;
    const char *range, *unit, *sample, *points, *line;
    int max;
  };
  const Case cases[] = {
      {0, 25, "(1~1250)", "*100us =", "2.5", "1024", "2560.00", 1250},
      {2, 3, "(1~500)", "*10 ms =", "30.0", "5120", "153600.00", 500},
      {1, 1250, "(1~1250)", "*100us =", "125.0", "1024", "128000.00", 1250},
  };
  for (const auto& c : cases) {
    t.combo(kIdcTraceMode)->setCurrentIndex(c.mode);
    t.spin(kIdcTraceInterval)->setValue(c.interval);
    EXPECT_EQ(t.label(kIdcTraceIntervalRange), c.range);
    EXPECT_EQ(t.label(kIdcTraceIntervalUnit), c.unit);
    EXPECT_EQ(t.label(kIdcTraceSampleTime), c.sample);
    EXPECT_EQ(t.label(kIdcTracePoints), c.points);
    EXPECT_EQ(t.label(kIdcTraceLineTime), c.line);
    EXPECT_EQ(t.spin(kIdcTraceInterval)->maximum(), c.max);
    EXPECT_EQ(t.enabled(kIdcTraceTrigger), c.mode != 2) << "Monitor mode has no trigger";
  }
  t.spin(kIdcTraceInterval)->setValue(1251);
  EXPECT_EQ(t.spin(kIdcTraceInterval)->value(), 1250);
}

TEST(TraceSettingDialog, TriggerAndDeviationRules) {
  test::qtApp();
  Dialog t;
  EXPECT_FALSE(t.enabled(kIdcTraceLevel)) << "no trigger, no level";
  t.combo(kIdcTraceTrigger)->setCurrentIndex(1);  // data 1: speed command
  EXPECT_TRUE(t.enabled(kIdcTraceLevel));
  EXPECT_EQ(t.label(kIdcTraceLevelUnit), "[rpm]  (-3000~3000)");
  t.spin(kIdcTraceLevel)->setValue(-3000);
  EXPECT_EQ(t.spin(kIdcTraceLevel)->value(), -3000);
  t.spin(kIdcTraceLevel)->setValue(-3001);
  EXPECT_EQ(t.spin(kIdcTraceLevel)->value(), -3000);

  // Level by source: a torque takes 150 back to 0, the angle keeps 50, speed keeps its level.
  t.spin(kIdcTraceLevel)->setValue(150);
  t.combo(kIdcTraceSourceFirst)->setCurrentIndex(kSourceTorqueFeedback);
  EXPECT_EQ(t.spin(kIdcTraceLevel)->value(), 0);
  t.spin(kIdcTraceLevel)->setValue(50);
  t.combo(kIdcTraceSourceFirst)->setCurrentIndex(kSourceElectricalAngle);
  EXPECT_EQ(t.spin(kIdcTraceLevel)->value(), 50);
  EXPECT_EQ(t.label(kIdcTraceLevelUnit), "[degree]  (0~359)");
  t.combo(kIdcTraceSourceFirst)->setCurrentIndex(kSourceDeviation);
  EXPECT_EQ(t.label(kIdcTraceLevelUnit), "[pulse]  (-32768~32767)");
  EXPECT_EQ(t.spin(kIdcTraceLevel)->value(), 50);

  // The deviation on data 1 gives data 4 up.
  EXPECT_FALSE(t.enabled(kIdcTraceSourceFirst + 3));
  EXPECT_FALSE(t.enabled(kIdcTraceColourFirst + 3));
  EXPECT_FALSE(t.enabled(kIdcTraceReverseFirst + 3));
  t.combo(kIdcTraceMode)->setCurrentIndex(2);
  EXPECT_FALSE(t.enabled(kIdcTraceLevel));
  EXPECT_FALSE(t.enabled(kIdcTracePosition));
  t.combo(kIdcTraceSourceFirst)->setCurrentIndex(kSourceSpeedFeedback);
  EXPECT_TRUE(t.enabled(kIdcTraceSourceFirst + 3));
  test::saveScreenshot(&t.d, "trace-setting-monitor");
}

TEST(TraceSettingDialog, OkHandsBackWhatTheControlsShow) {
  test::qtApp();
  TraceSettings s;
  s.mode = 1;
  s.interval = 40;
  s.sources = {6, 9, 21, 3};
  s.colours = {14, 0, 7, 2};
  s.reverse = {false, true, false, true};
  s.triggerChannel = 2;
  s.triggerLevel = 1;
  s.edge = 2;
  s.triggerPosition = 35;
  Dialog t(s);
  test::saveScreenshot(&t.d, "trace-setting-cycle");
  EXPECT_EQ(t.label(kIdcTraceSampleTime), "4.0");
  EXPECT_EQ(t.label(kIdcTraceLineTime), "4096.00");
  t.d.press(kIdOk);
  EXPECT_EQ(t.d.result(), QDialog::Accepted);
  EXPECT_EQ(t.d.settings(), s);
}

TEST(TraceSettingDialog, DigitalSourcesAreNamedAfterTheDrivesAssignmentReadFirst) {
  test::qtApp();
  driveContext().reset(2);
  linkState().reset();
  sim::VirtualDrive drive;
  ASSERT_TRUE(drive.start());
  ASSERT_TRUE(drive.setParameter("Hn602", 0x10A));  // DI-2: SPD1, active high
  CSerial port;
  ASSERT_EQ(port.Open(drive.portPath().c_str(), 19200, 500, 2048, 2048), 0);
  linkState().connected = 1;
  LinkFlags flags;
  DriveOperations ops(port, flags);
  QString di2;
  test::whenModal<TraceSettingDialog>([&](TraceSettingDialog* d) {
    di2 = d->control<QComboBox>(kIdcTraceSourceFirst)->itemText(kFirstDigitalSource + 1);
    d->press(kIdCancel);
  });
  EXPECT_FALSE(askTraceSettings(ops, TraceSettings{}, nullptr));
  EXPECT_EQ(di2, "DI-2 - SPD1");
  port.Close();
  drive.stop();
  linkState().reset();
}

TEST(TraceSettingDialog, WorkerMessagesAreShownOnTheUserInterfaceThread) {
  test::qtApp();
  test::RecordingPrompt prompt;
  std::thread worker([post = workerMessages()] { post({texts::communicateError(), PromptIcon::Stop}); });
  worker.join();
  EXPECT_TRUE(prompt.texts().empty()) << "nothing is shown by the worker itself";
  QCoreApplication::processEvents();
  ASSERT_EQ(prompt.shown().size(), 1u);
  EXPECT_EQ(prompt.shown()[0].text, texts::communicateError());
  EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Stop);
}

}  // namespace
}  // namespace zavo
