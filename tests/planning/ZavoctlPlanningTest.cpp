// zavoctl dio and paths against the virtual drive: what they print, what they write and the
// exit codes of each refusal.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"
#include "tests/cli/Run.h"

namespace zavo::test {
namespace {
namespace fs = std::filesystem;

class ZavoctlPlanning : public ::testing::Test {
 protected:
  void start(sim::SimOptions o = {}) {
    dir = fs::temp_directory_path() / ("zavoctl-planning-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    o.linkPath = (dir / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    ASSERT_TRUE(drive->start());
    env = "ZAVO_PORT=" + o.linkPath;
  }
  void TearDown() override {
    if (drive) drive->stop();
    fs::remove_all(dir);
  }
  RunResult run(const std::string& args, bool withErrors = false) { return zavoctl(args, env, withErrors); }
  std::string file(const std::string& name, const std::string& text) {
    const auto p = (dir / name).string();
    std::ofstream(p) << text;
    return p;
  }

  fs::path dir;
  std::unique_ptr<sim::VirtualDrive> drive;
  std::string env;
};

TEST_F(ZavoctlPlanning, DioShowsSetsAndRefuses) {
  start();
  drive->setParameter("Hn613", 0);  // an output value naming no function
  auto r = run("dio show");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out.substr(0, 41), "DI-1 Hn601 01 SON 1\nDI-2 Hn602 02 ALRS 1\n");
  EXPECT_NE(r.out.find("\nDO-1 Hn613 ? 0000\nDO-2 Hn614 02 ALM 1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nHn617 0000\nHn618 0000\n"), std::string::npos);
  r = run("dio show --json");
  EXPECT_EQ(r.out.rfind("{\"di\":[{\"terminal\":\"DI-1\",\"parameter\":\"Hn601\",\"value\":257,\"function\":1,"
                        "\"name\":\"SON\",\"level\":1},",
                        0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("{\"terminal\":\"DO-1\",\"parameter\":\"Hn613\",\"value\":0,\"function\":null,\"name\":\"?\","
                       "\"level\":null}"),
            std::string::npos);

  struct Refusal {
    const char* args;
    const char* says;
    bool reads;  // a conflict shows only against what the drive holds
  } refusals[] = {
      {"dio set DI-3=SON:0", "Hn601Hn603", true},  // SON on DI-1 at level 1
      {"dio set DI-13=SON", "no terminal 'DI-13'", false},
      {"dio set DI-1=POS7", "offers no input function 'POS7'", false},
      {"dio set DO-1=0x15", "offers no output function '0x15'", false},
      {"dio show --stored --modbus rtu", "DriveLink only", false},
  };
  for (const auto& x : refusals) {
    const auto before = drive->requestCount();
    r = run(x.args, true);
    EXPECT_EQ(r.code, 2) << x.args;
    EXPECT_NE(r.out.find(x.says), std::string::npos) << x.args << ": " << r.out;
    if (!x.reads) {
      EXPECT_EQ(drive->requestCount(), before) << x.args << ": refused before the drive is asked";
    }
  }
  EXPECT_EQ(*drive->storedParameter("Hn603"), 0x103) << "no conflict is written";

  r = run("dio set di-3=son DO-2=0x05:0 --dry-run");
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("DI-3 Hn603 01 SON 1\n"), std::string::npos);
  EXPECT_EQ(*drive->storedParameter("Hn603"), 0x103) << "a dry run writes nothing";
  r = run("dio set di-3=son DO-2=0x05:0", true);
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("Restart servo!!"), std::string::npos);
  EXPECT_EQ(*drive->storedParameter("Hn603"), 0x101);
  EXPECT_EQ(*drive->storedParameter("Hn614"), 0x005);
  EXPECT_EQ(*drive->storedParameter("Hn613"), 0) << "the unknown terminal goes back as read";
  EXPECT_NE(run("dio show").out.find("DI-3 Hn603 03 PCNT 1"), std::string::npos) << "running as before";
  EXPECT_NE(run("dio show --stored").out.find("DI-3 Hn603 01 SON 1"), std::string::npos) << "kept for the restart";
}

TEST_F(ZavoctlPlanning, DioWriteRefusedByTheDriveExitsOne) {
  sim::SimOptions o;
  o.faults = *sim::FaultPlan::parse("refuse-reg=C27");  // Hn605
  start(o);
  const auto r = run("dio set DI-5=SON", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Write DI/DO planning:Hn605"), std::string::npos) << r.out;
}

TEST_F(ZavoctlPlanning, PathsExportImportClampAndRefusals) {
  start();
  const auto out = run("paths export -");
  ASSERT_EQ(out.code, 0);
  EXPECT_NE(out.out.find("coordinate,0\nphold,0\nsmoothing,0\npath,rotation,pulse,speed\n1,0,0,0\n"), std::string::npos);
  EXPECT_NE(out.out.find("\n32,0,0,0\n"), std::string::npos);

  struct Case {
    const char* text;
    const char* flags;
    int code;
    const char* says;
  } cases[] = {
      {"# speeds\n1,10,-2500,1500\n2,0,0,7000\n", "", 2, "in.csv:3: path 2 speed 7000 is out of range (0 to 6000)\n"},
      {"smoothing,10001\n", "--clamp", 2, "in.csv:1: Internal / External Position Command One time Smoothing"},
      {"bogus\n", "", 2, "in.csv:1: unknown line 'bogus'"},
      {"# speeds\n1,10,-2500,1500\n2,0,0,7000\n", "--clamp", 0, "Write successfully!!\n"},
      {"coordinate,1\n", "", 0, "Write successfully!!\n\nRestart servo!!"},
  };
  for (const auto& c : cases) {
    const auto path = file("in.csv", c.text);
    const auto writes = drive->count(sim::RequestKind::DirectWrite) + drive->count(sim::RequestKind::MultiWrite);
    const auto r = run("paths import " + path + " " + c.flags, true);
    EXPECT_EQ(r.code, c.code) << c.text << r.out;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.text << r.out;
    EXPECT_EQ(r.out.find("Restart") != std::string::npos, std::string(c.text) == "coordinate,1\n") << r.out;
    if (c.code != 0) {
      EXPECT_EQ(drive->count(sim::RequestKind::DirectWrite) + drive->count(sim::RequestKind::MultiWrite), writes)
          << "nothing written";
    }
  }
  EXPECT_EQ(*drive->storedParameter("Pn402"), -2500);
  EXPECT_EQ(*drive->storedParameter("Pn406"), 6000) << "clamped to twice the rated speed";
  EXPECT_EQ(*drive->storedParameter("Pn316"), 1);

  const auto saved = (dir / "paths.csv").string();
  ASSERT_EQ(run("paths export " + saved).code, 0);
  std::ifstream in(saved);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(text.find("coordinate,1\n"), std::string::npos);
  EXPECT_NE(text.find("\n1,10,-2500,1500\n2,0,0,6000\n"), std::string::npos);
}

TEST_F(ZavoctlPlanning, PathsOverModbusRefuseAWidePulseWithExitTwo) {
  sim::SimOptions o;
  o.line = sim::LineProtocol::ModbusRtu;
  start(o);
  const auto path = file("wide.csv", "1,0,100000,0\n");
  const auto before = drive->count(sim::RequestKind::ModbusWrite);
  const auto r = run("paths import " + path + " --modbus rtu", true);
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.out.find("Pn402: 100000 does not fit"), std::string::npos) << r.out;
  EXPECT_EQ(drive->count(sim::RequestKind::ModbusWrite), before);
}

}  // namespace
}  // namespace zavo::test
