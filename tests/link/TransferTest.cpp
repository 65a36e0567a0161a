#include <gtest/gtest.h>

#include "link/PlanningTransfer.h"
#include "link/RegisterImageTransfer.h"
#include "params/catalogue/Catalogue.h"
#include "tests/link/DriveFixture.h"

namespace zavo {
namespace {

using test::DriveFixture;

// A progress window whose user presses Cancel at the given pump (1-based; 0: never).
struct ScriptedProgress : Progress {
  int cancelAt = 0;
  int pumps = 0, steps = 0, lower = -1, upper = -1, opens = 0, closes = 0;
  std::string text;
  void open(const std::string&, int lo, int hi) override {
    lower = lo;
    upper = hi;
    ++opens;
  }
  void setText(const std::string& t) override { text = t; }
  void step() override { ++steps; }
  bool pump() override { return cancelAt && ++pumps >= cancelAt; }
  void close() override { ++closes; }
};

TEST(RegisterImage, ReadsEveryWordOfTheDrivesMemory) {
  for (int type : {0, 2}) {
    sim::SimOptions o;
    o.driveType = type;
    DriveFixture f(o);
    f.link();
    const int words = type >= 2 ? 512 : 256;
    f.drive.setStoredWord(words - 1, 0xBEEF);
    f.drive.setStoredWord(7, 0x0102);
    CZavoServoDoc doc;
    ScriptedProgress p;
    RegisterImageTransfer t(f.ops, p);
    ASSERT_EQ(t.read(doc), 1);
    EXPECT_EQ(p.upper, 3 * (words - 1) + 3);
    EXPECT_EQ(p.steps, 3 * words);
    EXPECT_EQ(p.closes, 1);
    EXPECT_EQ(doc.ramImage[static_cast<std::size_t>(words - 1)], 0xBEEF) << "zero-extended";
    EXPECT_EQ(doc.ramImage[7], 0x0102);
    EXPECT_EQ(p.text, type >= 2 ? "Reading date from Servo...: 01FFH" : "Reading date from Servo...: 00FFH");
    for (int i = 0; i < words; ++i) ASSERT_EQ(doc.ramImage[static_cast<std::size_t>(i)], f.drive.storedWord(i)) << i;
  }
}

TEST(RegisterImage, CancelKeepsTheWordsAlreadyRead) {
  DriveFixture f;
  f.link();
  f.drive.setStoredWord(0, 0x1111);
  f.drive.setStoredWord(1, 0x2222);
  CZavoServoDoc doc;
  doc.ramImage.fill(-1);
  ScriptedProgress p;
  p.cancelAt = 4;  // after word 0 is complete, before word 1 is fetched
  RegisterImageTransfer t(f.ops, p);
  EXPECT_EQ(t.read(doc), 0);
  EXPECT_EQ(doc.ramImage[0], 0x1111);
  EXPECT_EQ(doc.ramImage[1], -1);
  EXPECT_TRUE(f.prompt.shown().empty()) << "a cancel is silent";
  EXPECT_EQ(p.closes, 1);
}

TEST(RegisterImage, WriteStoresEveryWordAndAsksForARestart) {
  sim::SimOptions o;
  o.driveType = 0;
  DriveFixture f(o);
  f.link();
  CZavoServoDoc doc;
  for (int i = 0; i < 256; ++i) doc.ramImage[static_cast<std::size_t>(i)] = (i * 37) & 0xFFFF;
  doc.ramImage[5] = -2;  // an imported negative word travels as its 16 bits
  ScriptedProgress p;
  RegisterImageTransfer t(f.ops, p);
  ASSERT_EQ(t.write(doc), 1);
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(f.drive.storedWord(i), i == 5 ? 0xFFFE : (i * 37) & 0xFFFF) << i;
  ASSERT_EQ(f.prompt.shown().size(), 1u);
  EXPECT_EQ(f.prompt.shown()[0].text, "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)");
  EXPECT_EQ(f.prompt.shown()[0].title, "Write data");
}

TEST(RegisterImage, FailureNamesTheWord) {
  sim::SimOptions o;
  o.faults.unplugAfter = 10;
  DriveFixture f(o);
  f.link();
  CZavoServoDoc doc;
  ScriptedProgress p;
  RegisterImageTransfer t(f.ops, p);
  EXPECT_EQ(t.read(doc), 0);
  ASSERT_EQ(f.prompt.shown().size(), 1u);
  EXPECT_EQ(f.prompt.shown()[0].text, "Error:\n\nReading date from Servo...: 0003H");
  EXPECT_EQ(f.prompt.shown()[0].title, "Communication Message");
}

TEST(Planning, DiDoGroupRoundTrip) {
  for (auto line : {sim::LineProtocol::DriveLink, sim::LineProtocol::ModbusRtu}) {
    sim::SimOptions o;
    o.line = line;
    DriveFixture f(o);
    f.link();
    f.ops.setPauseMs(0);
    linkState().modbusMode = line != sim::LineProtocol::DriveLink;
    CZavoServoDoc doc;
    ScriptedProgress p;
    PlanningTransfer t(f.ops, p);
    ASSERT_EQ(PlanningTransfer::diDoNames().size(), 18u);
    EXPECT_EQ(PlanningTransfer::diDoNames().front(), "Hn601");
    // Values unlike the defaults (0x101...), so a write that did not arrive shows.
    for (int n = 1; n <= 18; ++n) doc.images[ParamGroup::Hn].value[static_cast<std::size_t>(n)] = n + 0x80;
    ASSERT_EQ(t.writeDiDo(doc), 1);
    EXPECT_EQ(f.prompt.shown().back().title, "Write data");
    // The drive takes its contact assignment at the next power-on.
    f.drive.powerCycle();
    CZavoServoDoc back;
    ASSERT_EQ(t.readDiDo(back), 1);
    for (int n = 1; n <= 18; ++n) {
      EXPECT_EQ(back.images[ParamGroup::Hn].value[static_cast<std::size_t>(n)], n + 0x80) << n;
      EXPECT_EQ(back.contactCopy[static_cast<std::size_t>(n - 1)], n + 0x80) << n;
    }
    if (line == sim::LineProtocol::DriveLink) {
      EXPECT_EQ(f.drive.count(sim::RequestKind::DirectWrite), 0);
    }
    EXPECT_EQ(p.text, "Read DI/DO planning:Hn618");
  }
}

TEST(Planning, PositionTableNamesAndRoundTrip) {
  DriveFixture f;
  f.link();
  f.ops.setPauseMs(0);
  const auto names = PlanningTransfer::positionNames();
  ASSERT_EQ(names.size(), 98u);
  EXPECT_EQ(names[0], "Pn316");
  EXPECT_EQ(names[1], "Pn313");
  EXPECT_EQ(names[2], "Pn401");
  EXPECT_EQ(names[97], "Pn496");
  CZavoServoDoc doc;
  doc.images[ParamGroup::Pn4].value[2] = -300000;  // a 32-bit pulse number
  doc.images[ParamGroup::Pn4].value[3] = 1500;
  doc.images[ParamGroup::Pn3].value[13] = 250;
  ScriptedProgress p;
  PlanningTransfer t(f.ops, p);
  ASSERT_EQ(t.writePosition(doc), 1);
  CZavoServoDoc back;
  ASSERT_EQ(t.readPosition(back), 1);
  EXPECT_EQ(back.images[ParamGroup::Pn4].value[2], -300000);
  EXPECT_EQ(back.images[ParamGroup::Pn4].value[3], 1500);
  EXPECT_EQ(back.images[ParamGroup::Pn3].value[13], 250);

  driveContext().reset(0);
  const auto older = PlanningTransfer::positionNames();
  ASSERT_EQ(older.size(), 50u);
  EXPECT_EQ(older[2], "Pn317");
  EXPECT_EQ(older[49], "Pn364");
}

}  // namespace
}  // namespace zavo
