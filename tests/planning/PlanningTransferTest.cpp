// Both planning transfers against the virtual drive over a pty: the frames each item takes,
// where a refused write stops, what the drive applies at its next power-on, and Modbus.

#include <gtest/gtest.h>

#include <filesystem>

#include "link/PlanningTransfer.h"
#include "params/catalogue/Catalogue.h"
#include "planning/PlanningWrites.h"
#include "sim/Register.h"
#include "tests/link/DriveFixture.h"

namespace zavo::planning {
namespace {

using test::DriveFixture;

struct CountingProgress : Progress {
  int upper = -1, steps = 0;
  void open(const std::string&, int, int hi) override { upper = hi, steps = 0; }
  void setText(const std::string&) override {}
  void step() override { ++steps; }
  bool pump() override { return false; }
  void close() override {}
};

sim::SimOptions options(int type, sim::LineProtocol line = sim::LineProtocol::DriveLink, std::string faults = {}) {
  sim::SimOptions o;
  o.driveType = type;
  o.line = line;
  if (!faults.empty()) o.faults = *sim::FaultPlan::parse(faults);
  return o;
}

void linkUp(DriveFixture& f) {
  f.link();
  f.ops.setPauseMs(0);
  linkState().modbusMode = f.drive.options().line != sim::LineProtocol::DriveLink;
}

// The register of a parameter as the fault list names it ("C27" for Hn605).
std::string registerText(const std::string& code) {
  const std::uint16_t c = catalogue::addressCode(code);
  return sim::textOfRegister({c >> 8, c & 0xFF});
}

// Every terminal of the plan given a function other than its own, so each write shows.
DioPlan shuffled(int type, const std::vector<std::int32_t>& group) {
  DioPlan plan(type, group);
  for (int t = 0; t < plan.layout().terminals(Side::In); ++t) plan.assign(Side::In, t, 0x10 + t, t % 2);
  for (int t = 0; t < plan.layout().terminals(Side::Out); ++t) plan.assign(Side::Out, t, 5 + t, 0);
  return plan;
}

TEST(ContactTransfer, StoresOnlyAndTheDriveTakesThemAtItsNextPowerOn) {
  const std::string state = ::testing::TempDir() + "zavo-contact-" + std::to_string(::getpid()) + ".state";
  std::filesystem::remove(state);
  for (const auto line : {sim::LineProtocol::DriveLink, sim::LineProtocol::ModbusRtu}) {
    SCOPED_TRACE(static_cast<int>(line));
    auto o = options(2, line);
    o.statePath = state;
    std::vector<std::int32_t> written;
    {
      DriveFixture f(o);
      linkUp(f);
      CZavoServoDoc doc;
      CountingProgress progress;
      PlanningTransfer transfer(f.ops, progress);
      ASSERT_EQ(transfer.readDiDo(doc), 1);
      const auto before = contactGroup(doc, 2);
      const DioPlan plan = shuffled(2, before);
      written = plan.values();
      f.drive.clearLog();
      ASSERT_EQ(writeContactPlan(transfer, doc, plan), 1);
      EXPECT_EQ(progress.steps, progress.upper) << "the bar ends full";
      EXPECT_EQ(f.prompt.texts().back(), "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)");
      const int n = static_cast<int>(written.size());
      if (line == sim::LineProtocol::DriveLink) {
        EXPECT_EQ(f.drive.count(sim::RequestKind::WindowWrite), 3 * n) << "address, data, store";
        EXPECT_EQ(f.drive.requestCount(), 3 * n) << "and nothing else";
        EXPECT_EQ(*f.drive.liveParameter("Hn601"), before[0]) << "running as before until a restart";
      } else {
        EXPECT_EQ(f.drive.count(sim::RequestKind::ModbusWrite), n);
      }
      EXPECT_EQ(*f.drive.storedParameter("Hn601"), written[0]);
    }
    // A new power-on from the kept state: the group read now finds the new assignment.
    DriveFixture f(o);
    linkUp(f);
    CZavoServoDoc doc;
    CountingProgress progress;
    ASSERT_EQ(PlanningTransfer(f.ops, progress).readDiDo(doc), 1);
    EXPECT_EQ(contactGroup(doc, 2), written);
    std::filesystem::remove(state);
  }
}

TEST(PlanningTransfer, ARefusedRegisterStopsTheWriteAtItsItem) {
  struct Case {
    const char* stopsAt;
    const char* before;  // written before the refusal, and its new value
    std::int32_t written;
    const char* after;  // never sent, and the value it keeps
    std::int32_t kept;
    const char* message;
  } cases[] = {{"Hn605", "Hn604", 0x0113, "Hn606", 0x0106, "Error:\n\nWrite DI/DO planning:Hn605"},
               {"Pn405", "Pn404", 7, "Pn496", 0, "Error:\n\nWrite internal position command planning: Pn405"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stopsAt);
    DriveFixture f(options(2, sim::LineProtocol::DriveLink, "refuse-reg=" + registerText(c.stopsAt)));
    linkUp(f);
    CZavoServoDoc doc;
    CountingProgress progress;
    PlanningTransfer transfer(f.ops, progress);
    const bool contact = c.stopsAt[0] == 'H';
    if (contact) {
      ASSERT_EQ(transfer.readDiDo(doc), 1);
      EXPECT_EQ(writeContactPlan(transfer, doc, shuffled(2, contactGroup(doc, 2))), 0);
    } else {
      ASSERT_EQ(transfer.readPosition(doc), 1);
      PositionTable before = PositionTable::fromDocument(doc, 2), after = before;
      for (auto& p : after.paths) p = {7, -7, 70};
      EXPECT_EQ(writePositionTable(transfer, doc, 2, before, after), 0);
    }
    EXPECT_EQ(f.prompt.texts().back(), c.message);
    EXPECT_EQ(*f.drive.storedParameter(c.before), c.written) << "earlier items stay written";
    EXPECT_EQ(*f.drive.storedParameter(c.after), c.kept) << "later ones were never sent";
  }
}

TEST(PositionTransfer, FramesOfEachItemKind) {
  DriveFixture f(options(2));
  linkUp(f);
  CZavoServoDoc doc;
  CountingProgress progress;
  PlanningTransfer transfer(f.ops, progress);
  ASSERT_EQ(transfer.readPosition(doc), 1);
  f.drive.clearLog();
  PositionTable table = PositionTable::fromDocument(doc, 2);
  table.paths[0] = {3, -300000, 1200};
  table.toDocument(doc, 2);
  ASSERT_EQ(transfer.writePosition(doc), 1);
  // Pn316, Pn313, Pn401 (16-bit): a store and a direct write; Pn402 (32-bit): two stores and
  // one multi-write.
  using K = sim::RequestKind;
  const std::vector<K> sixteen{K::WindowWrite, K::WindowWrite, K::WindowWrite, K::DirectWrite};
  std::vector<K> expected;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), sixteen.begin(), sixteen.end());
  expected.insert(expected.end(), 6, K::WindowWrite);
  expected.push_back(K::MultiWrite);
  const auto kinds = f.kinds();
  ASSERT_GE(kinds.size(), expected.size());
  EXPECT_EQ(std::vector<K>(kinds.begin(), kinds.begin() + static_cast<long>(expected.size())), expected);
  EXPECT_EQ(f.drive.count(K::DirectWrite) + f.drive.count(K::MultiWrite), 98) << "one direct write an item";
  EXPECT_EQ(*f.drive.liveParameter("Pn402"), -300000);
  EXPECT_EQ(*f.drive.storedParameter("Pn402"), -300000);
}

TEST(PositionTransfer, NumberedByTheDriveTypeWhateverTheLauncherChose) {
  struct Case {
    int type, launcher;
    const char* firstPath;
  } cases[] = {{0, 2, "Pn317"}, {1, 3, "Pn317"}, {2, 0, "Pn401"}, {4, 4, "Pn401"}};
  for (const auto& c : cases) {
    driveContext().reset(c.type);
    driveContext().launcherDriveType = c.launcher;
    EXPECT_EQ(PlanningTransfer::positionNames()[2], c.firstPath) << c.type << "/" << c.launcher;
  }
  // A whole write on an older drive chosen as an M7 leaves its gear ratios alone.
  DriveFixture f(options(1));
  driveContext().launcherDriveType = 2;
  linkUp(f);
  const std::int32_t gear = *f.drive.storedParameter("Pn302");
  CZavoServoDoc doc;
  CountingProgress progress;
  PlanningTransfer transfer(f.ops, progress);
  ASSERT_EQ(transfer.readPosition(doc), 1);
  PositionTable before = PositionTable::fromDocument(doc, 1), after = before;
  after.paths[0] = {5, 5, 5};
  ASSERT_EQ(writePositionTable(transfer, doc, 1, before, after), 1);
  EXPECT_EQ(*f.drive.storedParameter("Pn302"), gear);
  EXPECT_EQ(*f.drive.storedParameter("Pn317"), 5);
  EXPECT_EQ(f.prompt.texts().back(), "Write successfully!!") << "paths alone: no restart notice";
}

TEST(PositionTransfer, ModbusCarriesOneSignedWordAndRefusesWiderValuesUpFront) {
  DriveFixture f(options(2, sim::LineProtocol::ModbusRtu));
  f.drive.setParameter("Pn402", -5);
  linkUp(f);
  CZavoServoDoc doc;
  CountingProgress progress;
  PlanningTransfer transfer(f.ops, progress);
  ASSERT_EQ(transfer.readPosition(doc), 1);
  PositionTable table = PositionTable::fromDocument(doc, 2);
  EXPECT_EQ(table.paths[0].pulse, -5) << "sign-extended, not 65531";

  for (const std::int32_t pulse : {100000, -32769}) {
    table.paths[1].pulse = pulse;
    table.toDocument(doc, 2);
    const int before = f.drive.requestCount();
    EXPECT_EQ(transfer.writePosition(doc), 0);
    EXPECT_EQ(f.drive.requestCount(), before) << "refused before any frame";
    EXPECT_EQ(f.prompt.texts().back().rfind("Pn405: " + std::to_string(pulse), 0), 0u) << f.prompt.texts().back();
  }
  table.paths[1].pulse = -32768;
  table.toDocument(doc, 2);
  ASSERT_EQ(transfer.writePosition(doc), 1);
  ASSERT_EQ(transfer.readPosition(doc), 1);
  EXPECT_EQ(PositionTable::fromDocument(doc, 2).paths[1].pulse, -32768);
}

}  // namespace
}  // namespace zavo::planning
