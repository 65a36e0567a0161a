// zavoctl trace-show: a trace file read as the trace window opens it, shown, exported and
// saved again by the window's rules, without a drive; and zavoctl trace --out, which writes
// what the window would hold after a capture from the virtual drive.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/VirtualDrive.h"
#include "tests/cli/Run.h"
#include "trace/TraceFiles.h"
#include "trace/TraceRecordFile.h"
#include "trace/TraceView.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;
using namespace trace;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class ZavoctlTraceShow : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("trace-show-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    TraceSettings s;
    s.mode = 1;
    s.interval = 4;
    s.sources = {kSourceSpeedCommand, kSourceCurrentU, kSourceNone, kFirstDigitalSource + 1};
    s.colours = {1, 13, 2, 8};
    s.triggerChannel = 2;
    s.triggerLevel = -40;
    TerminalAssignments t{};
    t[1] = 0x101 + 4;  // DI-2: function 4, active high
    TraceView v(2, s, t);
    v.display()[0].assign(1024, 0);
    v.display()[0][10] = -1200;
    v.keepDisplayed();
    v.moveUp(0);
    v.bringToFront(2);
    record = traceFileBytes(v.record());
    std::ofstream(dir / "a.trd", std::ios::binary) << record;
  }
  void TearDown() override { fs::remove_all(dir); }
  RunResult show(const std::string& args, bool withErrors = false) {
    return zavoctl("trace-show " + (dir / "a.trd").string() + " " + args, {}, withErrors);
  }

  fs::path dir;
  std::string record;
};

TEST_F(ZavoctlTraceShow, TextNamesTheRecordAndEachChannel) {
  const RunResult r = show("");
  ASSERT_EQ(r.code, 0);
  for (const char* line : {"version 160830\n", "mode 1 (Cycle mode)\n", "interval 4\n", "points 1024\n",
                           "trigger data2 level -40\n", "drive type 2\n",
                           "data1 source 1 name Speed Command unit [rpm] colour 0,255,0\n",
                           "data2 source 8 name U phase current feedback unit [%] colour 255,0,128\n",
                           "data3 source 0 name none unit [ ] colour 255,255,0\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  EXPECT_NE(r.out.find("data4 source 10 name DI-2 - "), std::string::npos) << r.out;
}

TEST_F(ZavoctlTraceShow, JsonHoldsTheDisplayStateAndWhatAutoWouldGive) {
  const RunResult r = show("--json");
  ASSERT_EQ(r.code, 0);
  for (const char* part :
       {"\"version\": 160830", "\"mode\": 1", "\"points\": 1024", "\"driveType\": 2", "\"triggerChannel\": 2",
        "\"triggerLevel\": -40", "\"frontChannel\": 2", "\"terminals\": [0, 261, 0,",
        "{\"source\": 1, \"name\": \"Speed Command\", \"unit\": \"rpm\", \"colour\": [0, 255, 0], \"scaleSelection\": 0, "
        "\"unitsPerDivision\": 1000, \"slider\": 96, \"halfSpan\": 4000, \"autoUnitsPerDivision\": 1000}"})
    EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "one line";
}

TEST_F(ZavoctlTraceShow, CsvIsWhatSaveAsWritesAndSaveKeepsTheWindowsRules) {
  const RunResult csv = show("--csv");
  ASSERT_EQ(csv.code, 0);
  ASSERT_EQ(show("--save " + (dir / "b.CSV").string()).code, 0);
  EXPECT_EQ(csv.out, slurp(dir / "b.CSV"));
  EXPECT_EQ(csv.out.substr(0, 40), "; Zavo Servo M7 v0.1.160830\n[Trace Data]");
  ASSERT_EQ(show("--save " + (dir / "c.Trd").string()).code, 0);
  EXPECT_EQ(slurp(dir / "c.Trd"), record) << "saved again byte for byte";

  struct Case {
    const char* args;
    int code;
  };
  for (const Case c : {Case{"--save x.txt", 2}, Case{"--save ab", 2}, Case{"--save", 2}, Case{"--csv --json", 2},
                       Case{"--drive-type 7", 2}, Case{"--bogus", 2}}) {
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    EXPECT_EQ(show(c.args).code, c.code) << c.args;
    fs::current_path(before);
  }
  EXPECT_FALSE(fs::exists(dir / "x.txt"));
  EXPECT_FALSE(fs::exists(dir / "ab"));
}

TEST_F(ZavoctlTraceShow, FilesThatDoNotOpenAreRefusedWithTheWindowsWords) {
  std::ofstream(dir / "bad.trd", std::ios::binary) << record.substr(0, 500);
  std::ofstream(dir / "a.dat", std::ios::binary) << record;
  const RunResult other = show("--drive-type 3", true);
  EXPECT_EQ(other.code, 1);
  EXPECT_EQ(other.out, "Serial error\n");
  for (const char* name : {"bad.trd", "a.dat", "none.trd"}) {
    const RunResult r = zavoctl("trace-show " + (dir / name).string(), {}, true);
    EXPECT_EQ(r.code, 1) << name;
    EXPECT_NE(r.out.find("valid"), std::string::npos) << name << ": " << r.out;
  }
}

TEST_F(ZavoctlTraceShow, TraceOutWritesWhatTheWindowWouldHold) {
  sim::SimOptions o;
  o.linkPath = (dir / "drive").string();
  sim::VirtualDrive drive(o);
  ASSERT_TRUE(drive.start());
  const std::string env = "ZAVO_PORT=" + o.linkPath;
  const std::string single = (dir / "single.trd").string();
  ASSERT_EQ(zavoctl("trace --mode single --sources 6,2 --trigger 1 --level 180 --edge both --position 25 --out " + single,
                    env).code, 0);
  const TraceOpen opened = openTraceFile(single, 2, 0);
  ASSERT_EQ(opened.result, TraceOpenResult::Ok);
  EXPECT_EQ(opened.file.points, 1024);
  EXPECT_EQ(opened.file.triggerLevel, 180);
  const auto& angle = opened.file.samples[0];
  EXPECT_TRUE((angle[255] < 180 && 180 <= angle[256]) || (angle[255] > 180 && 180 >= angle[256]))
      << angle[255] << " -> " << angle[256];
  EXPECT_EQ(angle[1024], 0) << "the block's extra value";

  const std::string roll = (dir / "roll.csv").string();
  ASSERT_EQ(zavoctl("trace --mode monitor --sources 2 --halves 2 --out " + roll, env).code, 0);
  std::istringstream in(slurp(roll));
  std::vector<std::string> rows;
  for (std::string l; std::getline(in, l);) rows.push_back(l);
  ASSERT_EQ(rows.size(), 3u + 5120u);
  EXPECT_EQ(rows[3], "10.00  ,0  ,0  ,0  ,0  ,") << "the roll's old end is empty";
  EXPECT_NE(rows.back().substr(0, 13), "51200.00  ,0 ") << "its new end holds the records: " << rows.back();

  EXPECT_EQ(zavoctl("trace --mode single --sources 1 --out " + (dir / "a.txt").string(), env).code, 2);
  EXPECT_FALSE(fs::exists(dir / "a.txt"));
}

}  // namespace
}  // namespace zavo::test
