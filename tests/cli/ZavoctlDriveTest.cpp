#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"
#include "sim/VirtualDrive.h"
#include "tests/cli/Run.h"

namespace zavo::test {
namespace {
namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class ZavoctlDrive : public ::testing::Test {
 protected:
  void SetUp() override { start({}); }
  void start(sim::SimOptions o) {
    dir = fs::temp_directory_path() / ("zavoctl-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    o.linkPath = (dir / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    ASSERT_TRUE(drive->start());
    env = "ZAVO_PORT=" + o.linkPath;
    driveContext().reset(o.driveType);
  }
  void TearDown() override {
    drive->stop();
    fs::remove_all(dir);
  }
  RunResult run(const std::string& args, bool withErrors = false) { return zavoctl(args, env, withErrors); }

  fs::path dir;
  std::unique_ptr<sim::VirtualDrive> drive;
  std::string env;
};

TEST_F(ZavoctlDrive, ReadsAndWritesParametersInDisplayUnits) {
  auto r = run("read Cn001 Cn010 Cn011");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "Cn001 2\nCn010 300\nCn011 -300\n");
  EXPECT_EQ(run("write Cn010=250 Pn302=123456").code, 0);
  EXPECT_EQ(*drive->storedParameter("Cn010") & 0xFFFF, conversion::toRaw("Cn010", 250) & 0xFFFF);
  r = run("read Cn010 Pn302 --json");
  EXPECT_EQ(r.out, "{\"Cn010\": 250, \"Pn302\": 123456}\n");
  r = run("write Cn010=999", true);
  EXPECT_EQ(r.code, 2) << "refused before the drive is touched";
  EXPECT_NE(r.out.find("out of range"), std::string::npos);
  EXPECT_EQ(run("read-reg 5 0x47").out, "3000\n");
}

TEST_F(ZavoctlDrive, BackupCompareRestoreRoundTrip) {
  const std::string a = (dir / "a.tec").string(), b = (dir / "b.tec").string();
  ASSERT_EQ(run("backup " + a).code, 0);
  ASSERT_EQ(run("backup " + b).code, 0);
  EXPECT_EQ(slurp(a), slurp(b)) << "the same drive backs up byte for byte the same";
  EXPECT_EQ(run("compare " + a).code, 0);
  // Changed behind the program's back.
  drive->setParameter("Cn010", conversion::toRaw("Cn010", 100));
  drive->setParameter("Sn201", conversion::toRaw("Sn201", 50));
  const auto diff = run("compare " + a);
  EXPECT_EQ(diff.code, 3);
  EXPECT_EQ(diff.out, "Cn010 300 100\nSn201 100 50\n");
  ASSERT_EQ(run("restore " + a).code, 0);
  EXPECT_EQ(run("compare " + a).code, 0);
  const auto show = run("tec-show " + a);
  EXPECT_EQ(show.out.rfind("drive type 2\nversion M7 Servo Ver:0.1.161013 (161013)\n", 0), 0u);
  EXPECT_NE(show.out.find("\nCn010 300\n"), std::string::npos);
}

TEST_F(ZavoctlDrive, RegisterImageToListingAndBack) {
  const std::string dat = (dir / "image.dat").string();
  drive->setStoredWord(0x10, 0xABCD);
  ASSERT_EQ(run("ram-read " + dat).code, 0);
  const std::string listing = slurp(dat);
  EXPECT_EQ(listing.rfind("; Zavo Servo v0.1.151225\n;\n;\n", 0), 0u);
  EXPECT_NE(listing.find("\t.DATA.W   H'ABCD   ;0010   \n"), std::string::npos);
  drive->setStoredWord(0x10, 0);
  ASSERT_EQ(run("ram-write " + dat).code, 0);
  EXPECT_EQ(drive->storedWord(0x10), 0xABCD);
  // A listing with a word too few is refused before anything is written.
  std::ofstream(dir / "short.dat") << listing.substr(0, listing.rfind("\t.DATA.W"));
  drive->clearLog();
  EXPECT_EQ(run("ram-write " + (dir / "short.dat").string()).code, 1);
  EXPECT_EQ(drive->requestCount(), 0);
}

TEST_F(ZavoctlDrive, LinkFailuresPrintTheMessageAndExitOne) {
  auto r = zavoctl("read Cn001 --port " + (dir / "nothing").string(), "", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "Communicate Error!\nCan't open COM port!\n");
  drive->setFaults(*sim::FaultPlan::parse("drop=1"));
  r = run("read Cn001", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "Communicate between PC and Servo Error!\n");
}

TEST_F(ZavoctlDrive, ModbusReadAndWrite) {
  drive->stop();
  sim::SimOptions o;
  o.line = sim::LineProtocol::ModbusRtu;
  start(o);
  EXPECT_EQ(run("write Cn010=123 --modbus rtu --station 1").code, 0);
  EXPECT_EQ(run("read Cn010 --modbus rtu --json").out, "{\"Cn010\": 123}\n");
  EXPECT_GE(drive->count(sim::RequestKind::ModbusWrite), 1);
  EXPECT_EQ(run("read Cn010 --modbus rtu --station 2").code, 1) << "another station does not answer";
}

}  // namespace
}  // namespace zavo::test
