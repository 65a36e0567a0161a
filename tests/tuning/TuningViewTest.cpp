// JOG, the auto gain adjustments and the linear-motor set-up in the running program against
// the virtual drive: what each window sends, what it shows, and its refusals.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "tests/tuning/TuningFixture.h"
#include "tuning/ui/AutoGainChoiceDialog.h"
#include "tuning/ui/JogDialog.h"
#include "tuning/ui/LoopGainDialogs.h"
#include "tuning/ui/OfflineGainDialog.h"
#include "tuning/ui/PoleAlignmentDialog.h"
#include "tuning/ui/SelfBuiltMotorDialog.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::test {
namespace {

using namespace tuning;

class TuningView : public TuningFixture {};

TEST_F(TuningView, AdjustCommandsNeedALinkAndNoEditorOpen) {
  const int commands[] = {cmd::kJog, cmd::kAutoGain, cmd::kMotorSelfTuning, cmd::kMechanicalSelfTuning,
                          cmd::kLinearMotor1, cmd::kLinearMotor2};
  startLinked();
  frame()->show();
  view()->editParameterCommand();
  ASSERT_TRUE(view()->parameterEditor() && view()->parameterEditor()->isVisible());
  for (const int id : commands) ASSERT_FALSE(frame()->runCommand(id)) << id << " with the editor open";
  view()->parameterEditor()->close();
  frame()->runCommand(cmd::kDisconnect);
  for (const int id : commands) EXPECT_FALSE(frame()->runCommand(id)) << id << " without a link";
}

TEST_F(TuningView, JogWithTheServoOnTellsAndLeavesTheDriveAlone) {
  servoOn = true;
  startLinked();
  EXPECT_TRUE(frame()->runCommand(cmd::kJog));
  ASSERT_EQ(prompt.shown().size(), 1u);
  EXPECT_EQ(prompt.shown()[0].text, "The status is Servo ON, JOG mode is invalid.");
  EXPECT_EQ(prompt.shown()[0].title, "JOG Mode (Fnd-05)");
  EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Information);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(desk().jogWindow(), nullptr);
}

TEST_F(TuningView, JogWindowTurnsTheMotorAndOneExitLeavesJogMode) {
  startLinked();
  ASSERT_TRUE(frame()->runCommand(cmd::kJog));
  JogDialog* jog = desk().jogWindow();
  ASSERT_NE(jog, nullptr);
  EXPECT_TRUE(view()->toolWindows().jog);
  EXPECT_EQ(writes(), (std::vector<std::string>{"W60B0089", "W5360000", "W6190001"}));
  EXPECT_EQ(jog->speed(), 100) << "536's word shown in rpm";
  // The speed above the rated one is not taken: the text before it stays.
  auto* speed = jog->control<QSpinBox>(kJogSpeedEdit);
  speed->clear();
  QTest::keyClicks(speed, QStringLiteral("5000"));
  EXPECT_EQ(speed->text(), QStringLiteral("500"));
  jog->setSpeed(1000);
  struct Step {
    int button;
    const char* frame;
  };
  for (const Step s : {Step{kJogCwButton, "W5360555"}, Step{kJogCcwButton, "W536FAAB"}, Step{kJogStopButton, "W5360000"}}) {
    jog->press(s.button);
    EXPECT_TRUE(waitFor([&] { return count(s.frame) > 0; })) << s.frame;
  }
  jog->press(kJogCwButton);
  ASSERT_TRUE(waitFor([&] { return std::abs(static_cast<std::int16_t>(*drive->readRegister('6', 0xE4))) > 1300; }))
      << "Un-01 shows the axis at speed";
  saveScreenshot(jog, QStringLiteral("jog-141"));
  jog->close();  // the title bar's close box
  ASSERT_TRUE(waitFor([&] { return count("W5360089") > 0; }));
  QTest::qWait(100);
  EXPECT_EQ(count("W6190000"), 1) << "exactly one exit request";
  EXPECT_EQ(writes().back(), "W5360089") << "the JOG speed word as it was read";
  EXPECT_EQ(desk().jogWindow(), nullptr);
  EXPECT_FALSE(view()->toolWindows().jog);
}

TEST_F(TuningView, OfflineAutoGainChecksItsSetValuesAndStartsTheAdjustment) {
  startLinked();
  whenModal<AutoGainChoiceDialog>([](AutoGainChoiceDialog* d) {
    d->control<QRadioButton>(kChoiceOffline)->setChecked(true);
    d->press(kIdOk);
  });
  whenModal<OfflineGainDialog>([this](OfflineGainDialog* d) {
    EXPECT_EQ(d->control<QLineEdit>(kSpeedCurrent)->text(), QStringLiteral("1000"));
    EXPECT_EQ(d->control<QLabel>(kSpeedHint)->text(), QStringLiteral("(Default: 1000 rpm, Range 0~3000)"));
    struct Case {
      const char* accel;
      bool taken;
    };
    for (const Case c : {Case{"1999", false}, Case{"90001", false}, Case{"2000", true}, Case{"90000", true}}) {
      prompt.clear();
      drive->clearLog();
      d->control<QLineEdit>(kAccelSet)->setText(QString::fromUtf8(c.accel));
      d->press(kAccelWrite);
      QTest::qWait(50);
      EXPECT_EQ(prompt.shown().empty(), c.taken) << c.accel;
      if (!c.taken) {
        EXPECT_EQ(prompt.shown()[0].text, "Over Range!!\n\nRange:2000~90000");
        EXPECT_EQ(prompt.shown()[0].title, "Error Message");
      }
      EXPECT_EQ(count("WC350001") + count("WC35000D") + count("WC350031") > 0, c.taken) << c.accel;
    }
    d->press(kIdOk);
    EXPECT_TRUE(waitFor([d] { return d->inertiaText().toInt() > 120; }, 6000)) << "CF8 shown as the drive finds it";
    saveScreenshot(d, QStringLiteral("offline-gain-144"));
    d->press(kIdCancel);
  });
  frame()->runCommand(cmd::kAutoGain);
  EXPECT_NE(count("WC3E0001"), 0);
  EXPECT_NEAR(*drive->storedParameter("Cn025"), 30, 2);
}

TEST_F(TuningView, AdjustmentWithLoopGainsShowsItsResultsAndWritesTheChosenOnes) {
  startLinked();
  whenModal<AutoGainChoiceDialog>([](AutoGainChoiceDialog* d) {
    d->control<QRadioButton>(kChoiceLoopGains)->setChecked(true);
    d->press(kIdOk);
  });
  whenModal<LoopGainSetDialog>([this](LoopGainSetDialog* d) {
    d->control<QLineEdit>(kLoopSetFirst + 2)->setText(QStringLiteral("80"));  // tn10
    d->press(kLoopWriteFirst + 2);
    EXPECT_TRUE(waitFor([d] { return d->control<QLineEdit>(kLoopCurrentFirst + 2)->text() == QStringLiteral("80"); }));
    whenModal<LoopGainStartDialog>([this](LoopGainStartDialog* s) {
      // Until the drive has results the third value waits on C9D: 0 while C9D is 0.
      EXPECT_TRUE(waitFor([s] { return s->control<QPushButton>(kStartNext)->isEnabled() && s->valueText(3) == QStringLiteral("80"); }, 6000));
      saveScreenshot(s, QStringLiteral("loop-gain-start-1251"));
      drive->setRegister('C', 0x9D, 0);
      EXPECT_TRUE(waitFor([s] { return s->valueText(2) == QStringLiteral("0"); }));
      drive->setRegister('C', 0x9D, 230);
      EXPECT_TRUE(waitFor([s] { return s->valueText(2) != QStringLiteral("0"); }));
      whenModal<LoopGainEndDialog>([](LoopGainEndDialog* e) {
        for (const int off : {2, 4, 5}) e->control<QCheckBox>(kKeepFirst + off)->setChecked(false);
        e->press(kIdOk);
      });
      s->press(kStartNext);
    });
    d->press(kIdOk);
  });
  frame()->runCommand(cmd::kAutoGain);
  const int c9c = *drive->readRegister('C', 0x9C);
  char frameText[16];
  std::snprintf(frameText, sizeof frameText, "WC9C%04X", c9c);
  EXPECT_NE(count(frameText), 0) << "C9C goes back as the drive gave it";
  EXPECT_EQ(*drive->storedParameter("Sn211"), 80);
  EXPECT_EQ(count("W5310000") + count("WC9D00E6"), 0) << "not chosen";
  EXPECT_EQ(writes().back(), "WB550000");
}

TEST_F(TuningView, AutoGainDisableEndsTheAdjustment) {
  startLinked();
  drive->setRegister('5', 0x1D, 0x0123);
  whenModal<AutoGainChoiceDialog>([](AutoGainChoiceDialog* d) { d->press(kIdOk); });
  frame()->runCommand(cmd::kAutoGain);
  EXPECT_EQ(*drive->readRegister('5', 0x1D), 0x0023);
  EXPECT_EQ(*drive->readRegister('C', 0x3E), 0);
  ASSERT_FALSE(prompt.texts().empty());
  EXPECT_EQ(prompt.texts().back(), "Auto tuning cancel.");
}

TEST_F(TuningView, SelfBuiltMotorWritesItsDataInTheDrivesUnits) {
  startLinked();
  drive->setParameter("OnE06", 2000000);  // 2 Ω: shown as 200 (10 mΩ)
  whenModal<SelfBuiltMotorDialog>([this](SelfBuiltMotorDialog* d) {
    EXPECT_EQ(d->datumEdit(0)->text(), QStringLiteral("000001.00"));
    EXPECT_EQ(d->datumEdit(1)->text(), QStringLiteral("00200"));
    EXPECT_EQ(d->datumEdit(7)->text(), QStringLiteral("030.00"));
    d->datumEdit(0)->setText(QStringLiteral("000001.50"));
    d->datumEdit(6)->setText(QStringLiteral("400"));  // thrust limit %: Write takes it, OK does not
    d->control<QComboBox>(kModelCombo)->setEditText(QStringLiteral("1122"));
    prompt.script(PromptAnswer::Yes);
    d->press(kMotorWrite);
    EXPECT_EQ(prompt.texts().back(), "Write OK!");
    saveScreenshot(d, QStringLiteral("self-built-motor-6011"));
    prompt.clear();
    d->press(kIdOk);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{"over range!"});
    d->press(kIdCancel);
  });
  frame()->runCommand(cmd::kLinearMotor1);
  EXPECT_EQ(drive->storedParameter("OnE05"), 1500);
  EXPECT_EQ(drive->storedParameter("OnE06"), 2000000) << "an unchanged field writes what it showed";
  EXPECT_EQ(drive->storedParameter("OnE11"), 16384);
  EXPECT_EQ(drive->storedParameter("Cn030"), 0x1122);
  EXPECT_EQ(drive->storedParameter("Cn029"), 1);
}

TEST_F(TuningView, PoleAlignmentWritesEachSettingAndShowsTheState) {
  startLinked();
  whenModal<PoleAlignmentDialog>([this](PoleAlignmentDialog* d) {
    d->control<QLineEdit>(kPoleCurrentEdit)->setText(QStringLiteral("4096"));
    d->press(kPoleCurrentWrite);
    d->control<QLineEdit>(kPoleOnEdit)->setText(QStringLiteral("1"));
    d->press(kPoleOnWrite);
    d->tick();
    EXPECT_EQ(d->statusText(), QStringLiteral("Tuning"));
    EXPECT_TRUE(waitFor([d] { return d->statusText() == QStringLiteral("OK"); }, 3000));
    for (const int status : {3, 7}) {
      drive->setRegister('6', 0x6B, status);
      d->tick();
      EXPECT_EQ(d->statusText(), QStringLiteral("Alarm")) << status;
    }
    d->control<QLineEdit>(kPoleCurrentEdit)->setText(QStringLiteral("16385"));  // out of range: nothing
    d->press(kPoleCurrentWrite);
    saveScreenshot(d, QStringLiteral("pole-alignment-6013"));
    d->press(kIdCancel);
  });
  frame()->runCommand(cmd::kLinearMotor2);
  const auto w = writes();
  EXPECT_LT(std::find(w.begin(), w.end(), "WDBD1000"), std::find(w.begin(), w.end(), "W6680001"));
  EXPECT_EQ(*drive->readRegister('D', 0xBD), 4096);
}

}  // namespace
}  // namespace zavo::test
