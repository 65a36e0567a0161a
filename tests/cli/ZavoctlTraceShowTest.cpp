// zavoctl trace-show: a trace file read as the trace window opens it, shown, exported and
// saved again by the window's rules, without a drive.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/cli/Run.h"
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

}  // namespace
}  // namespace zavo::test
