#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"
#include "params/document/TecArchive.h"
#include "params/document/ZavoServoDoc.h"
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

TEST_F(ZavoctlDrive, ModbusWritesByNameKeepTheWriteRules) {
  drive->stop();
  sim::SimOptions o;
  o.line = sim::LineProtocol::ModbusRtu;
  start(o);
  // Refused before anything goes on the line: the word would arrive cut, or not at all.
  const struct {
    const char* write;
    const char* says;
  } refused[] = {
      {"Pn302=70000", "Pn302 is a 32-bit parameter: the Modbus parameter register holds one word"},
      {"ECA07=5", "ECA07 has no Modbus register"},
      {"Tn110=1", "Tn110 is not written on drive type 2"},
  };
  for (const auto& r : refused) {
    drive->clearLog();
    const auto out = run(std::string("write --modbus rtu ") + r.write, true);
    EXPECT_EQ(out.code, 2) << r.write;
    EXPECT_EQ(out.out, std::string("zavoctl: ") + r.says + "\n");
    EXPECT_EQ(drive->requestCount(), 0) << r.write << ": nothing sent";
  }
  // Cn008's selections 4 and 5 travel as the drive's codes 6 and 7, and read back as chosen.
  EXPECT_EQ(run("write --modbus rtu Cn008=4").code, 0);
  EXPECT_EQ(drive->storedParameter("Cn008"), 6);
  EXPECT_EQ(run("read --modbus rtu Cn008").out, "Cn008 4\n");
  // A store-only parameter is kept for the drive's next start.
  EXPECT_EQ(run("write --modbus rtu Cn001=3").code, 0);
  EXPECT_EQ(drive->storedParameter("Cn001"), 3);
  EXPECT_EQ(drive->liveParameter("Cn001"), 2);
  EXPECT_EQ(run("read --modbus rtu ECA07", true).out, "zavoctl: ECA07 has no Modbus register\n");
}

TEST_F(ZavoctlDrive, StoreOnlyRegisterWritesGoThroughTheWindowOfTheirPage) {
  drive->clearLog();
  EXPECT_EQ(run("write-reg C 0xAD 17 --store-only").code, 0);
  EXPECT_EQ(drive->storedWord(0x1AD), 17) << "page C's stored copy lies 0x100 on";
  EXPECT_NE(drive->storedWord(0xAD), 17);
  EXPECT_EQ(drive->count(sim::RequestKind::DirectWrite), 0) << "nothing written beside the store";
  drive->clearLog();
  EXPECT_EQ(run("write-reg 7 0xCE 1 --store-only").code, 2) << "page 7 has no stored copy";
  EXPECT_EQ(drive->requestCount(), 0);
}

TEST_F(ZavoctlDrive, RestoreRefusesAFileWithValuesOutOfRange) {
  const std::string file = (dir / "patched.tec").string();
  ASSERT_EQ(run("backup " + file).code, 0);
  {
    CZavoServoDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(file));
    doc.setValue(ParamGroup::Cn, 1, 70000);
    doc.setValue(ParamGroup::Sn, 16, -1);
    ASSERT_TRUE(doc.OnSaveDocument(file).ok);
  }
  drive->clearLog();
  const auto r = run("restore " + file, true);
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "zavoctl: " + file + ": out of range, nothing written: Cn001, Sn216\n");
  EXPECT_EQ(drive->requestCount(), 0);
}

// Every failure exit says why: a line lost in the handshake's status read, and one lost at the
// command's first request after the handshake.
TEST_F(ZavoctlDrive, EveryFailureExitSaysWhy) {
  ASSERT_EQ(run("read-reg 5 0x10").code, 0);
  const int handshake = drive->requestCount() - 1;
  const struct {
    std::string command;
    int unplugAfter;
    std::string says;
  } cases[] = {
      {"read Cn001", 2, "Communicate between PC and Servo Error!\n"},
      {"read Cn001", handshake, "zavoctl: Cn001: no valid reply from the drive\n"},
      {"write Cn010=100", handshake, "zavoctl: Cn010 was not written\n"},
      {"backup " + (dir / "b.tec").string(), handshake, "zavoctl: stopped at Cn001: no valid reply from the drive\n"},
  };
  for (const auto& c : cases) {
    drive->stop();
    sim::SimOptions o;
    o.faults.unplugAfter = c.unplugAfter;
    start(o);
    const auto r = run(c.command, true);
    EXPECT_EQ(r.code, 1) << c.command << " after " << c.unplugAfter;
    EXPECT_EQ(r.out, c.says) << c.command << " after " << c.unplugAfter;
  }
}

TEST_F(ZavoctlDrive, GlobalOptionsStandBeforeOrAfterTheCommandAndPathsKeepTheirColons) {
  drive->stop();
  sim::SimOptions o;
  o.linkPath = (dir / "pci-0000:00:14.0-usb-0:1:1.0-port0").string();
  drive = std::make_unique<sim::VirtualDrive>(o);
  ASSERT_TRUE(drive->start());
  const std::string port = "--port " + o.linkPath;
  for (const std::string& args : {port + " read Cn001", "read Cn001 " + port, "--json " + port + " read Cn001"}) {
    const auto r = zavoctl(args, "", true);
    EXPECT_EQ(r.code, 0) << args << ": " << r.out;
    EXPECT_NE(r.out.find("Cn001"), std::string::npos) << args;
  }
}

TEST_F(ZavoctlDrive, FileCommandsRefuseWhatIsNotAFileAndEscapeWhatTheyPrint) {
  const std::string fifo = (dir / "f.tec").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const char* command : {"tec-show ", "restore ", "compare "}) {
    drive->clearLog();
    const auto r = run(std::string(command) + fifo, true);
    EXPECT_EQ(r.code, 2) << command;
    EXPECT_EQ(drive->requestCount(), 0) << command;
  }
  TecFile quoted;
  quoted.driveType = 2;
  quoted.versionText = "M7 \"Servo\"\\ Ver:0.1.161013";
  std::ofstream(dir / "quoted.tec", std::ios::binary) << formatTec(quoted);
  const auto r = run("tec-show --json " + (dir / "quoted.tec").string());
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find(R"("versionText": "M7 \"Servo\"\\ Ver:0.1.161013")"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace zavo::test
