// The off-line self-tuning windows in the running program against the virtual drive: each
// mechanical test writes its profile first, a finished test fills its fields and offers its
// proposals, the full motor identification fills every block, and a drive that never reports
// the end leaves the window waiting.

#include <QPushButton>
#include <QSpinBox>

#include "tests/tuning/TuningFixture.h"
#include "tuning/ui/MechanicalTuningDialog.h"
#include "tuning/ui/MotorTuningDialog.h"
#include "tuning/ui/TuningIds.h"
#include "tuning/ui/TuningSetDialog.h"

namespace zavo::test {
namespace {

using namespace tuning;

class SelfTuningView : public TuningFixture {};

TEST_F(SelfTuningView, MechanicalTestsWriteTheirProfileAndOfferTheirProposals) {
  startLinked();
  struct Case {
    int button;
    std::size_t rows;  // of the comparison
    bool adopt;
  };
  whenModal<MechanicalTuningDialog>([this](MechanicalTuningDialog* d) {
    std::vector<CompareRow> offered;
    d->answerWith(
        [](SetValues& v) {
          v[kSn201] = 1000;
          v[kTn18] = 2;  // CCWL
          return true;
        },
        [&offered](const std::vector<CompareRow>& rows, bool) {
          offered = rows;
          return rows.size() == 4;  // the full set is adopted, the others are not
        });
    for (const Case c : {Case{kButtonTest2, 1, false}, Case{kButtonTest6, 3, false}, Case{kButtonFullSet, 4, true}}) {
      offered.clear();
      drive->clearLog();
      d->press(c.button);
      EXPECT_EQ(d->status(), QStringLiteral("waiting!"));
      EXPECT_NE(count("WB660002"), 0) << "tn18 CCWL";
      EXPECT_TRUE(waitFor([d] { return d->status() == QStringLiteral("OK!"); }, 8000)) << c.button;
      EXPECT_EQ(offered.size(), c.rows) << c.button;
      EXPECT_EQ(count(c.adopt ? "W9640001" : "W9640002"), 1) << c.button;
      EXPECT_EQ(writes().back(), "WB550000");
    }
    EXPECT_EQ(offered[0].name, "JLMRatio");
    EXPECT_NEAR(offered[0].after, 30, 2);
    d->refreshAll();
    EXPECT_EQ(d->fieldText("JLMRatio"), QString::number(offered[0].after)) << "adopted";
    saveScreenshot(d, QStringLiteral("mechanical-tuning-6005"));
    d->press(kIdCancel);
  });
  frame()->runCommand(cmd::kMechanicalSelfTuning);
  EXPECT_NEAR(*drive->storedParameter("Cn025"), 30, 2);
  EXPECT_EQ(view()->document().value(ParamGroup::tn, 18), 2) << "the profile is kept in the document";
}

TEST_F(SelfTuningView, TheProfileDialogRefusesWhatIsOutOfRange) {
  startLinked();
  SetValues v{};
  ASSERT_TRUE(readSetValues(view()->operations(), v));
  EXPECT_EQ(v[kSn201], 100) << "536 shown in rpm";
  TuningSetDialog d(v);
  auto* tn08 = d.control<QSpinBox>(kSetEditFirst + kTn08);
  tn08->clear();
  QTest::keyClicks(tn08, QStringLiteral("2000"));
  EXPECT_EQ(tn08->value(), 200) << "above the maximum 1000 the edit keeps what it had";
  d.setValue(kTn09, 0);
  d.press(kIdOk);
  ASSERT_FALSE(prompt.texts().empty());
  EXPECT_EQ(prompt.texts().back(), "tn09 over range!");
  EXPECT_TRUE(d.isVisible() || d.result() != QDialog::Accepted);
  saveScreenshot(&d, QStringLiteral("tuning-set-6006"));
}

TEST_F(SelfTuningView, FullMotorIdentificationFillsEveryBlock) {
  startLinked();
  whenModal<MotorTuningDialog>([this](MotorTuningDialog* d) {
    d->press(kButtonFullSet);
    EXPECT_TRUE(waitFor([d] { return d->timerActive(1); }, 2000)) << "the full set hands over to its parts";
    EXPECT_FALSE(d->timerActive(kFullSetTimer));
    EXPECT_TRUE(waitFor([d] { return d->status() == QStringLiteral("OK!"); }, 15000));
    for (const char* label : {"ACRKp", "RsQ", "Lsd", "Ke", "Viscous", "J"})
      EXPECT_GT(d->fieldText(label).toInt(), 0) << label;
    EXPECT_EQ(d->fieldText("DtTab").split(QLatin1Char(' ')).size(), 11);
    EXPECT_EQ(d->fieldText("NFC").split(QLatin1Char(' ')).size(), 8);
    saveScreenshot(d, QStringLiteral("motor-tuning-6004"));
    d->press(kIdCancel);
  });
  frame()->runCommand(cmd::kMotorSelfTuning);
}

TEST_F(SelfTuningView, ADriveThatNeverFinishesLeavesTheWindowWaiting) {
  startLinked();
  drive->setRegister('8', 0x49, 3);
  whenModal<MotorTuningDialog>([this](MotorTuningDialog* d) {
    const QString before = d->fieldText("RsQ");
    d->press(kButtonTest2);
    QTest::qWait(1500);
    EXPECT_EQ(d->status(), QStringLiteral("waiting!"));
    EXPECT_EQ(d->fieldText("RsQ"), before);
    EXPECT_TRUE(d->timerActive(2));
    d->press(kButtonStop);
    EXPECT_EQ(writes().back(), "WB550000");
    d->press(kIdCancel);
  });
  frame()->runCommand(cmd::kMotorSelfTuning);
}

}  // namespace
}  // namespace zavo::test
