// The monitor against the virtual drive over a pty: what each page shows for the words the
// drive holds, the tick's order and its stop at the first failure, the alarm history's read and
// clearing frames, and monitorBusy keeping a tick and the clearing apart.

#include <gtest/gtest.h>

#include <cmath>

#include "link/ConnectionManager.h"
#include "monitor/Monitor.h"
#include "resources/TextTable.h"
#include "tests/link/DriveFixture.h"

namespace zavo::test {
namespace {

using Codes = sim::AlarmHistory::Codes;

// Progress texts, as the progress window would show them.
struct RecordingProgress final : Progress {
  std::vector<std::string> texts;
  int opened = 0, closed = 0;
  void open(const std::string&, int, int) override { ++opened; }
  void setText(const std::string& t) override { texts.push_back(t); }
  void step() override {}
  bool pump() override { return false; }
  void close() override { ++closed; }
};

// A linked drive, a document, the monitor and the connection whose health poll refreshes it.
struct MonitorRig : DriveFixture, ConnectionHost {
  explicit MonitorRig(sim::SimOptions o = {}) : DriveFixture(o) {
    TextTable::active().loadLibrary(TOLKAR_PATH);
    link();
    drive.clearLog();
  }
  std::optional<LinkPortChoice> askLinkPort(bool, int) override { return std::nullopt; }
  bool refreshMonitorWindows() override { return monitor.refreshOpenWindows(progress); }

  // The frames the drive saw, without their checksums.
  std::vector<std::string> frames() const {
    std::vector<std::string> out;
    for (const auto& e : drive.requestLog()) out.emplace_back(e.request.begin(), e.request.end() - 2);
    return out;
  }
  long indexOf(const std::string& frame) const {
    const auto f = frames();
    const auto it = std::find(f.begin(), f.end(), frame);
    return it == f.end() ? -1 : it - f.begin();
  }

  CZavoServoDoc doc;
  RecordingProgress progress;
  Monitor monitor{ops, doc};
  ConnectionManager connection{port, flags, ops, doc, *this};
};

sim::SimOptions ofType(int type, std::vector<sim::SimOptions::Pin> pins = {}) {
  sim::SimOptions o;
  o.driveType = type;
  o.pins = std::move(pins);
  return o;
}

// The raw Un-09 word the drive holds for a voltage in hundredths.
std::uint16_t un09Raw(int hundredths) {
  return static_cast<std::uint16_t>(std::lround(hundredths / 0.1220703125) & 0xFFFF);
}

TEST(DisplayPage, ShowsTheDrivesWordsInTheirFormats) {
  struct Case {
    int item;
    std::vector<sim::SimOptions::Pin> pins;
    std::int32_t value;
    const char* fixed;         // "" when the fixed page has no such row
    const char* configurable;
  };
  const Case cases[] = {
      {9, {{'B', 0x13, un09Raw(-1234)}}, -1234, "-12.34", "-12.34"},
      {9, {{'B', 0x13, un09Raw(5)}}, 5, "0.05", "0.05"},
      {9, {{'B', 0x13, un09Raw(-5)}}, -5, "-0.05", "-0.05"},
      {21, {{'8', 0xFA, 0x8001}}, -32767, "", "8001H"},
      {31, {{'6', 0xCB, 0x0021}}, 0x21, "", "0021H"},
      // 32-bit items: a signed high word over an unsigned low word.
      {7, {{'6', 0x5C, 0x8000}, {'6', 0x5D, 0x0001}}, 0x18000, "98304", "98304"},
      {7, {{'6', 0x5C, 0x8000}, {'6', 0x5D, 0xFFFF}}, -32768, "-32768", "-32768"},
      {12, {{'6', 0xC0, 0xF000}}, -100, "-100", "-100"},
  };
  for (const Case& c : cases) {
    MonitorRig rig(ofType(2, c.pins));
    for (DisplayKind kind : {DisplayKind::Fixed, DisplayKind::Configurable}) {
      const char* want = kind == DisplayKind::Fixed ? c.fixed : c.configurable;
      if (!*want) continue;
      DisplayPage& page = rig.monitor.openDisplay(kind);
      const std::size_t row = kind == DisplayKind::Fixed ? static_cast<std::size_t>(c.item - 1) : 0;
      page.rows[row].item = c.item;
      page.enable(row, true);
      ASSERT_TRUE(rig.monitor.readDisplayPage(page)) << c.item;
      EXPECT_EQ(page.rows[row].text, want) << c.item;
      EXPECT_EQ(page.rows[row].value, c.value) << c.item;
      EXPECT_EQ(rig.doc.monitor[static_cast<std::size_t>(c.item - 1)], c.value) << c.item;
      EXPECT_EQ(page.rows[row + 1].text, "") << "a row that is off shows nothing";
      rig.monitor.closeDisplay();
    }
  }
}

TEST(DiagnosticsPage, ShowsEachDriveTypesTerminalsVersionsAndLabels) {
  struct Case {
    int type;
    std::uint16_t outputs, inputs;
    const char* outputText;
    const char* inputText;
    std::vector<bool> outputCells;
    std::size_t inputLabels;
    const char* lastOutputLabel;
    const char* version;
  };
  const Case cases[] = {
      // The older families report their outputs inverted: 0xFFFE is output 1 on.
      {0, 0xFFFE, 0x0003, "00000001", "0000000000011", {true, false, false, false, false, false, false, false}, 13,
       "R4: BI", "A01.25"},
      {1, 0xFFFD, 0x0001, "010", "0000000000001", {false, true, false}, 6, "R3: ZS", "E01.25"},
      // Three characters for eight outputs: the bits beyond the string set only their cells.
      {3, 0x00FF, 0x0801, "111", "100000000001", {true, true, true, true, true, true, true, true}, 12, "R4: ----",
       "E01.25"},
  };
  for (const Case& c : cases) {
    MonitorRig rig(ofType(c.type, {{'6', 0xAF, c.outputs}, {'6', 0xCB, c.inputs}, {'5', 0x0C, 0x8001}}));
    DiagnosticsPage& page = rig.monitor.openDiagnostics(c.type);
    ASSERT_TRUE(rig.monitor.readDiagnostics(page, true, rig.progress)) << c.type;
    EXPECT_EQ(page.texts[0], "2: Position(Pe)") << c.type;
    EXPECT_EQ(page.texts[1], c.outputText) << c.type;
    EXPECT_EQ(page.texts[2], c.inputText) << c.type;
    EXPECT_EQ(page.texts[3], c.version) << c.type;
    EXPECT_EQ(page.texts[4], "8001H") << "dn-08 as its 16-bit word";
    EXPECT_EQ(page.texts[5], "A01.03") << c.type;
    EXPECT_EQ(page.outputs, c.outputCells) << c.type;
    EXPECT_TRUE(page.inputs[0]) << c.type;
    ASSERT_EQ(page.labels.inputs.size(), c.inputLabels) << c.type;
    EXPECT_EQ(page.labels.inputs[0], "S1: SON") << c.type;
    EXPECT_EQ(page.labels.inputs[1], "S2: ALRS") << c.type;
    ASSERT_FALSE(page.labels.outputs.empty());
    EXPECT_EQ(page.labels.outputs[0], "R1: RDY") << c.type;
    EXPECT_EQ(page.labels.outputs.back(), c.lastOutputLabel) << c.type;
  }
}

TEST(AlarmHistory, ReadsThroughTheWindowThenEachEntry) {
  struct Case {
    Codes codes;
    std::vector<std::string> notes;  // of the first rows
  };
  const Case cases[] = {
      {Codes{}, {"   Normal", "   Normal"}},
      {Codes{33, 9, 11, 16, 25, 32, 0, 0, 0, 0},
       {"   -----", "   Emergency  Stop", "   Excessive position error", "   Absolute encoder revolution count error",
        "   Alarm 25 (reserved)", "   Alarm 32 (reserved)"}},
  };
  for (const Case& c : cases) {
    MonitorRig rig;
    rig.drive.setAlarms(c.codes);
    AlarmPage& page = rig.monitor.openAlarms();
    ASSERT_TRUE(rig.monitor.readAlarmHistory(page, rig.progress));
    const std::vector<std::string> want{"W5EB000A", "W5E80002", "R5EC", "R500", "R600", "R601", "R602",
                                        "R603", "R604", "R605", "R606", "R607", "R608"};
    EXPECT_EQ(rig.frames(), want);
    for (std::size_t row = 0; row < c.codes.size(); ++row) EXPECT_EQ(page.codes[row], c.codes[row]);
    for (std::size_t row = 0; row < c.notes.size(); ++row) EXPECT_EQ(monitor::alarmNote(page.codes[row]), c.notes[row]);
    EXPECT_EQ(monitor::alarmCodeText(page.codes[0]), c.codes[0] ? "33" : "00");
    EXPECT_EQ(rig.progress.texts.front(), "Read Alarm Parameter: AL");
    EXPECT_EQ(rig.progress.texts.back(), "Read Alarm Parameter: A9");
    EXPECT_EQ(rig.progress.opened, rig.progress.closed);
  }
}

TEST(AlarmHistory, ClearingWritesTenZerosThirtyMillisecondsApart) {
  MonitorRig rig;
  AlarmPage& page = rig.monitor.openAlarms();
  ASSERT_TRUE(rig.monitor.readAlarmHistory(page, rig.progress));
  rig.drive.clearLog();
  ASSERT_EQ(rig.monitor.clearAlarmHistory(), Monitor::ClearOutcome::Cleared);
  const auto log = rig.drive.requestLog();
  ASSERT_EQ(log.size(), 10u);
  const std::vector<std::string> want{"W5000000", "W6000000", "W6010000", "W6020000", "W6030000",
                                      "W6040000", "W6050000", "W6060000", "W6070000", "W6080000"};
  EXPECT_EQ(rig.frames(), want);
  for (std::size_t i = 1; i < log.size(); ++i) EXPECT_GE(log[i].ms - log[i - 1].ms, 30.0) << i;
  EXPECT_EQ(rig.drive.alarms(), Codes{});
  EXPECT_EQ(page.codes, (std::array<std::int32_t, 10>{}));
  EXPECT_TRUE(rig.prompt.shown().empty());

  // A drive that does not take a write ends it with the clearing's own box.
  sim::FaultPlan refuse;
  refuse.refuse = 1.0;
  rig.drive.setFaults(refuse);
  EXPECT_EQ(rig.monitor.clearAlarmHistory(), Monitor::ClearOutcome::Failed);
  ASSERT_EQ(rig.prompt.shown().size(), 1u);
  EXPECT_EQ(rig.prompt.shown()[0].text, "Error:\n\nCommunicate Error!");
  EXPECT_EQ(rig.prompt.shown()[0].title, "Clear Alarm Information");
}

TEST(Tick, ReadsTheOpenWindowsInOrderAfterTheStatusRead) {
  MonitorRig rig;
  rig.monitor.openDisplay(DisplayKind::Configurable).enableAll(true);
  rig.monitor.openDiagnostics(2);
  rig.monitor.openAlarms();
  rig.monitor.tick(rig.connection);
  ASSERT_TRUE(linkState().isConnected());
  EXPECT_EQ(rig.indexOf("R510"), 0) << "the status read first";
  const long display = rig.indexOf("R6E4"), assignment = rig.indexOf("RC23"), diagnostics = rig.indexOf("R986"),
             alarms = rig.indexOf("W5EB000A");
  EXPECT_LT(0, display);
  EXPECT_LT(display, assignment) << "the first diagnostics poll reads the terminal assignment";
  EXPECT_LT(assignment, diagnostics);
  EXPECT_LT(diagnostics, alarms);
  EXPECT_FALSE(rig.monitor.state().diagFirstPoll);
  EXPECT_FALSE(rig.monitor.state().alarmRefreshRequest);
  EXPECT_FALSE(rig.monitor.state().monitorBusy);
  EXPECT_TRUE(rig.monitor.alarms()->known);

  // The next tick reads no assignment and no history unless asked.
  rig.drive.clearLog();
  rig.monitor.tick(rig.connection);
  EXPECT_EQ(rig.indexOf("RC23"), -1);
  EXPECT_EQ(rig.indexOf("W5EB000A"), -1);
  EXPECT_GT(rig.indexOf("R986"), 0);
}

TEST(Tick, StopsAtTheFirstFailureAndDropsTheLink) {
  MonitorRig rig;
  rig.monitor.openDisplay(DisplayKind::Configurable).enableAll(true);
  rig.monitor.openDiagnostics(2);
  rig.monitor.tick(rig.connection);  // the first poll, with its assignment read
  rig.drive.clearLog();
  rig.monitor.tick(rig.connection);
  const long failAt = rig.indexOf("R986");
  ASSERT_GT(failAt, 0);
  rig.monitor.openAlarms();
  sim::FaultPlan unplug;
  unplug.unplugAfter = static_cast<int>(failAt);
  rig.drive.setFaults(unplug);
  rig.drive.clearLog();
  rig.monitor.tick(rig.connection);
  EXPECT_FALSE(linkState().isConnected());
  EXPECT_EQ(rig.indexOf("W5EB000A"), -1) << "nothing after the failed diagnostics read";
  EXPECT_FALSE(rig.monitor.alarms()->known);
  EXPECT_TRUE(rig.monitor.state().alarmRefreshRequest);
  ASSERT_EQ(rig.prompt.shown().size(), 1u);
  EXPECT_EQ(rig.prompt.shown()[0].text, "Communicate Error!\n\nDisconnect !!");
  EXPECT_TRUE(rig.prompt.shown()[0].topmost);
}

TEST(Tick, MonitorBusyKeepsATickAndTheClearingApart) {
  MonitorRig rig;
  rig.monitor.openAlarms();
  rig.monitor.state().monitorBusy = true;
  rig.monitor.tick(rig.connection);
  EXPECT_EQ(rig.monitor.clearAlarmHistory(), Monitor::ClearOutcome::Busy);
  EXPECT_EQ(rig.drive.requestCount(), 0);
  EXPECT_NE(rig.drive.alarms(), Codes{});
  rig.monitor.state().monitorBusy = false;
  EXPECT_EQ(rig.monitor.clearAlarmHistory(), Monitor::ClearOutcome::Cleared);
  EXPECT_FALSE(rig.monitor.state().monitorBusy);
}

}  // namespace
}  // namespace zavo::test
