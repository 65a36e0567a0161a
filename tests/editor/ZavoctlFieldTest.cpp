// zavoctl's online, digit and page commands against the virtual drive, as a user runs them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "params/catalogue/ValueConversion.h"
#include "sim/VirtualDrive.h"
#include "tests/cli/Run.h"

namespace zavo::test {
namespace {
namespace fs = std::filesystem;

struct Case {
  const char* args;
  int code;
  const char* out;  // standard output and error together
};

class ZavoctlField : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zavoctl-field-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override {
    if (drive) drive->stop();
    fs::remove_all(dir);
  }
  void start(const std::string& faults = {}) {
    sim::SimOptions o;
    o.linkPath = (dir / "drive").string();
    if (!faults.empty()) o.faults = *sim::FaultPlan::parse(faults);
    if (drive) drive->stop();
    drive = std::make_unique<sim::VirtualDrive>(o);
    ASSERT_TRUE(drive->start());
    env = "ZAVO_PORT=" + o.linkPath;
  }
  RunResult run(const std::string& args, bool withErrors = false) { return zavoctl(args, env, withErrors); }
  std::string path(const char* name) const { return (dir / name).string(); }
  void expectRuns(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      const RunResult r = run(c.args, true);
      EXPECT_EQ(r.code, c.code) << c.args << "\n" << r.out;
      EXPECT_EQ(r.out, c.out) << c.args;
    }
  }

  fs::path dir;
  std::unique_ptr<sim::VirtualDrive> drive;
  std::string env = "ZAVO_PORT=";
};

TEST_F(ZavoctlField, LiveStepsAParameterOnTheDriveUntilTheLimit) {
  start();
  expectRuns(
           {{"live Sn211 --step 10 --times 2", 0, "Sn211 40 -> 50\nSn211 50 -> 60\n"},
            {"live Pn301 --step 0x10 --times 2", 2, "Pn301 0000 -> 0010\nOver Range!!\n\n\n"},
            {"live Sn211 --step -10000", 0, "Sn211 60 -> 10\n"},
            {"live Pn301 --step 7", 2, "zavoctl: live: Pn301 has no step of 7\n"}});
  EXPECT_EQ(*drive->storedParameter("Sn211") & 0xFFFF, 10);
  EXPECT_EQ(*drive->storedParameter("Pn301") & 0xFFFF, 0x10);
  start("refuse-reg=530");
  expectRuns( {{"live Sn211 --step 1", 1, "Online parameter eidt failed!!\n"}});
  EXPECT_EQ(*drive->storedParameter("Sn211") & 0xFFFF, 40);
}

TEST_F(ZavoctlField, SlotFilesAreSavedOfflineAndLoadedWithTheDrivesValues) {
  const std::string onp = path("a.onp");
  expectRuns(
           {{("slots save " + onp + " Cn094 --drive-type 3").c_str(), 2,
             "zavoctl: slots save: no parameter 'Cn094' on drive type 3\n"},
            {("slots save " + path("a.txt") + " Sn211").c_str(), 2,
             ("zavoctl: slots save: '" + path("a.txt") + "' is not a .onp file\n").c_str()}});
  EXPECT_FALSE(fs::exists(onp));
  EXPECT_FALSE(fs::exists(path("a.txt")));
  ASSERT_EQ(run("slots save " + onp + " Sn211 - Pn301").code, 0);
  std::ostringstream saved;
  saved << std::ifstream(onp).rdbuf();
  EXPECT_EQ(saved.str(), "M7 Online Parameter v0001\nSn211\n\nPn301\n\n\n\n\n\n");

  // A short file of another system's line ends: what it has, and free slots for the rest.
  std::ofstream(onp, std::ios::binary) << "M7 Online Parameter v0001\r\nqn501\r\n\r\nPn347\r\n";
  start();
  drive->setParameter("Sn211", 77);
  const RunResult r = run("slots load " + onp);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "1\tqn501\t77\tHz\t10~4500\n2\t-\n3\tPn347\t0\tpulse\t0~268435456\n4\t-\n5\t-\n6\t-\n7\t-\n8\t-\n");
  const RunResult offline = zavoctl("slots load " + onp + " --json --drive-type 3", "ZAVO_PORT=");
  EXPECT_EQ(offline.out.rfind("[{\"slot\": 1, \"code\": \"qn501\", \"value\": 40, \"text\": \"40\", \"unit\": \"Hz\", "
                              "\"range\": \"10~4500\"}, {\"slot\": 2, \"code\": null, \"value\": null",
                              0),
            0u)
      << offline.out;
  EXPECT_NE(offline.out.find("{\"slot\": 3, \"code\": null"), std::string::npos) << "no Pn347 on the M7-R";
}

TEST_F(ZavoctlField, DigitsComposeAsTheDigitEditorsDo) {
  expectRuns(
           {{"digits Cn002 0 --set .2=1", 0,
             "Cn002 0100\n.0 0 Servo ON by the SON contact\n.1 0 CCWL and CWL contacts used\n.2 1 Auto tuning on\n"
             ".3 0 EMC released by switching SON off\n"},
            {"digits Hn601 0x101 --set .1.0=0x21 --json", 0,
             "{\"code\": \"Hn601\", \"value\": 289, \"text\": \"0121\", \"fields\": [{\"field\": \".1.0\", \"value\": 33, "
             "\"meaning\": \"ECUT\"}, {\"field\": \".2\", \"value\": 1, \"meaning\": \"High active\"}]}\n"},
            {"digits Hn510 0x21 --drive-type 1", 0,
             "Hn510 0021\nbit0 1 On\nbit1 0 Off\nbit2 0 Off\nbit3 0 Off\nbit4 0 Off\nbit5 1 On\n"},
            {"digits Cn026 3", 0, "Cn026 3\nvalue 3 Pn310 30 [1/s], Sn211 30 [Hz], Sn212 150 [x0.2msec]\n"},
            {"digits Cn026 22", 2, "Out of range!\n"},
            {"digits Cn037 0x105 --set .1=3", 2, "Out of range!\n"},
            {"digits Cn001 0 --drive-type 3 --set value=13", 2, "zavoctl: digits: value offers no choice '13'\n"},
            {"digits Sn211 40", 2, "zavoctl: Sn211 has no digit editor on drive type 2\n"}});
}

TEST_F(ZavoctlField, CamPagesWriteTheDriveOrAParameterFile) {
  start();
  drive->setParameter("ECA02", 0x0135);
  expectRuns(
           {{"cam write flying ECA05=121", 2, "zavoctl: cam: ECA05 refuses '121'\n"},
            {"cam write flying ECA01=2", 2, "zavoctl: cam: ECA01 is the page's own and is not typed\n"},
            {"cam write flying ECA02.0=0 ECA02.2=1 ECA03=40000 ECA06=-500", 0, "Write successfully!!\n"}});
  EXPECT_EQ(*drive->storedParameter("ECA02"), 0x0130);
  const RunResult shown = run("cam show flying --json");
  EXPECT_EQ(shown.out,
            "{\"ECA01\": 1, \"ECA02.0\": 0, \"ECA02.2\": 1, \"ECA03\": 40000, \"ECA04\": 1, \"ECA05\": 30, \"ECA06\": -500, "
            "\"ECA07\": 2500, \"ECA08\": 2500, \"ECA09\": 100, \"ECA10\": 100, \"ECA11\": 100, \"ECA12\": 100, "
            "\"ECA13\": 0, \"Pn349\": 0}\n");
  start("refuse-reg=D20");
  expectRuns( {{"cam write flying ECA05=45", 1, "ECA05 write error!\n"}});

  const std::string tec = path("cam.tec");
  ASSERT_EQ(run("backup " + tec).code, 0);
  drive->stop();
  // Without a drive: the rows from the file, OK into it, the file saved.
  EXPECT_EQ(run("cam write chase ECA02.0=1 ECA02.3=1 ECA14=250 --file " + tec).code, 0);
  const RunResult file = run("cam show chase --json --file " + tec);
  EXPECT_EQ(file.code, 0);
  for (const char* field : {"\"ECA01\": 2", "\"ECA02.0\": 1", "\"ECA02.3\": 1", "\"ECA14\": 250"})
    EXPECT_NE(file.out.find(field), std::string::npos) << field << " in " << file.out;
}

TEST_F(ZavoctlField, FullClosedLoopNotchAndWriteTakeThePagesChecks) {
  start();
  drive->setParameter("Pn346", 0x01);
  expectRuns(
           {{"fcl write Pn348=0", 2, "zavoctl: fcl: Pn348 refuses '0'\n"},
            {"fcl write Pn346.1=1", 0, "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)\n"},
            {"fcl show --json", 0, "{\"Pn346.0\": 1, \"Pn346.1\": 1, \"Pn347\": 0, \"Pn348\": 10000, \"Pn349\": 0}\n"},
            {"notch write 1001 7", 2, "Filter frequency is out of range!\n"},
            {"notch write 400 12", 0, "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)\n"},
            {"read Cn013 Cn014", 0, "Cn013 400\nCn014 12\n"},
            {"write Pn354=63", 2, "zavoctl: Pn354: 63 is out of range (0,64~8388608): Out of range!\n"},
            {"write Cn005=16385", 2, "zavoctl: Cn005: 16385 is out of range (16~32768): Out of range!\n"},
            {"write Pn354=64 Cn005=16384", 0, ""}});
  EXPECT_EQ(*drive->storedParameter("Pn346") & 0xFFFF, 17);
}

}  // namespace
}  // namespace zavo::test
