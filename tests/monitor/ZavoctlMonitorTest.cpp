// zavoctl monitor / status / alarms against a virtual drive set up from its own command line
// (--alarms, --pin): the texts, the JSON, the clearing, usage errors that send nothing, and a
// lost line.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "sim/CommandLine.h"
#include "sim/VirtualDrive.h"
#include "tests/cli/Run.h"

namespace zavo::test {
namespace {
namespace fs = std::filesystem;

class ZavoctlMonitor : public ::testing::Test {
 protected:
  void start(std::vector<std::string> simArgs) {
    dir = fs::temp_directory_path() / ("zavoctl-monitor-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    simArgs.insert(simArgs.end(), {"--link", (dir / "drive").string()});
    const auto cl = sim::CommandLine::parse(simArgs);
    ASSERT_EQ(cl.error, "");
    drive = std::make_unique<sim::VirtualDrive>(cl.options);
    ASSERT_TRUE(drive->start());
    env = "ZAVO_PORT=" + cl.options.linkPath;
    type = " --drive-type " + std::to_string(cl.options.driveType);
  }
  void TearDown() override {
    if (drive) drive->stop();
    fs::remove_all(dir);
  }
  RunResult run(const std::string& args, bool withErrors = false) { return zavoctl(args + type, env, withErrors); }

  fs::path dir;
  std::unique_ptr<sim::VirtualDrive> drive;
  std::string env, type;
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t start = 0; start < text.size();) {
    const auto end = text.find('\n', start);
    out.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return out;
}

TEST_F(ZavoctlMonitor, AlarmsShowsTheHistoryAndClearsIt) {
  start({"--alarms", "9,3,33"});
  auto r = run("alarms");
  ASSERT_EQ(r.code, 0);
  const auto rows = lines(r.out);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0], "AL 09   Emergency  Stop");
  EXPECT_EQ(rows[1], "A1 03   Motor overload");
  EXPECT_EQ(rows[2], "A2 33   -----");
  EXPECT_EQ(rows[9], "A9 00   Normal");
  r = run("alarms --json");
  EXPECT_EQ(r.out.rfind("{\"alarms\":[{\"row\":\"AL\",\"code\":9,\"text\":\"09\",\"note\":\"   Emergency  Stop\"},"
                        "{\"row\":\"A1\",\"code\":3,",
                        0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("{\"row\":\"A9\",\"code\":0,\"text\":\"00\",\"note\":\"   Normal\"}]}\n"), std::string::npos);
  r = run("alarms --clear");
  ASSERT_EQ(r.code, 0);
  for (const auto& row : lines(r.out)) EXPECT_EQ(row.substr(2), " 00   Normal");
  EXPECT_EQ(drive->alarms(), sim::AlarmHistory::Codes{});
}

TEST_F(ZavoctlMonitor, StatusShowsTheDiagnosticsAndEachTerminal) {
  start({"--drive-type", "0", "--pin", "6AF=0xFFFE,6CB=5"});
  auto r = run("status");
  ASSERT_EQ(r.code, 0) << r.out;
  const auto rows = lines(r.out);
  ASSERT_EQ(rows.size(), 6u + 13 + 8);
  EXPECT_EQ(rows[0], "dn-01 2: Position(Pe)");
  EXPECT_EQ(rows[1], "dn-02 00000001");
  EXPECT_EQ(rows[2], "dn-03 0000000000101");
  EXPECT_EQ(rows[6], "S1: SON ON");
  EXPECT_EQ(rows[7], "S2: ALRS OFF");
  EXPECT_EQ(rows[19], "R1: RDY ON");
  EXPECT_EQ(rows[23], "R5: OFF") << "no function written for it";
  r = run("status --json");
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(r.out.rfind("{\"dn-01\":{\"value\":2,\"text\":\"2: Position(Pe)\"},"
                        "\"dn-02\":{\"value\":65534,\"text\":\"00000001\"},",
                        0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("\"inputs\":[{\"label\":\"S1: SON\",\"on\":true},{\"label\":\"S2: ALRS\",\"on\":false},"),
            std::string::npos);
  EXPECT_NE(r.out.find("{\"label\":\"R4: BI\",\"on\":false},{\"label\":\"\",\"on\":false},"), std::string::npos);
}

TEST_F(ZavoctlMonitor, MonitorReadsItsPageEveryTick) {
  // -10109 is -12.34 V on Un-09.
  start({"--pin", "B13=-10109,6CB=0x8001"});
  auto r = run("monitor --items Un09,Un-31 --count 2 --period-ms 10");
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "Un-09 -12.34\nUn-31 8001H\nUn-09 -12.34\nUn-31 8001H\n");
  r = run("monitor --items Un09 --json");
  EXPECT_EQ(r.out,
            "{\"tick\":1,\"rows\":[{\"item\":\"Un-09\",\"name\":\"Analog Speed Command Voltage\",\"unit\":\"V\","
            "\"value\":-1234,\"text\":\"-12.34\"}]}\n");
  const auto fixed = lines(run("monitor --fixed").out);
  ASSERT_EQ(fixed.size(), 19u);
  EXPECT_EQ(fixed[8], "Un-09 -12.34");
  EXPECT_EQ(fixed[18].rfind("Un-19 ", 0), 0u);
  const auto page = lines(run("monitor").out);
  ASSERT_EQ(page.size(), 20u) << "the configurable page's own twenty";
  EXPECT_EQ(page[19].rfind("Un-25 ", 0), 0u);
}

TEST_F(ZavoctlMonitor, UsageErrorsSendNothing) {
  start({});
  std::string twentyOne;
  for (int i = 1; i <= 21; ++i) twentyOne += (i > 1 ? "," : "") + std::to_string(i);
  for (const std::string& args : {std::string("monitor --items Un15"), std::string("monitor --fixed --items Un01"),
                                  "monitor --items " + twentyOne, std::string("monitor --items Un90"),
                                  std::string("monitor --count -1"), std::string("alarms --bogus"),
                                  std::string("status extra")}) {
    EXPECT_EQ(run(args).code, 2) << args;
  }
  EXPECT_EQ(drive->requestCount(), 0);
}

TEST_F(ZavoctlMonitor, ALostLineEndsWithTheDisconnectMessage) {
  start({});
  ASSERT_EQ(run("monitor --items Un01").code, 0);
  sim::FaultPlan unplug;
  unplug.unplugAfter = drive->requestCount() - 1;  // the same run again, without its last read
  drive->setFaults(unplug);
  const auto r = run("monitor --items Un01", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Communicate Error!\n\nDisconnect !!"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace zavo::test
