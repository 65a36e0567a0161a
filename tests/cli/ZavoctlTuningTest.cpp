// zavoctl's tuning commands against the virtual drive over its pty: the frames they send (read
// back from the drive's log), what they print, and their exit codes.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"
#include "tests/cli/Run.h"
#include "tuning/TuningRegisters.h"

namespace zavo::test {
namespace {
namespace fs = std::filesystem;

// The number after "key": in a JSON text (-1 when there is none).
int jsonInt(const std::string& json, const std::string& key) {
  const auto at = json.find("\"" + key + "\": ");
  return at == std::string::npos ? -1 : std::atoi(json.c_str() + at + key.size() + 4);
}

class ZavoctlTuning : public ::testing::Test {
 protected:
  void start(sim::SimOptions o = servoOff()) {
    dir = fs::temp_directory_path() / ("zavoctl-tuning-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    o.linkPath = (dir / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    ASSERT_TRUE(drive->start());
    env = "ZAVO_PORT=" + o.linkPath;
    driveContext().reset(o.driveType);
  }
  static sim::SimOptions servoOff() {
    sim::SimOptions o;
    o.axis.servoOn = false;
    return o;
  }
  void TearDown() override {
    if (drive) drive->stop();
    fs::remove_all(dir);
  }
  RunResult run(const std::string& args) { return zavoctl(args, env, true); }
  // The direct writes the drive received (the window's traffic left out), without their
  // checksums ("W5360555"); with `window`, every write.
  std::vector<std::string> writes(bool window = false) const {
    std::vector<std::string> w;
    for (const auto& e : drive->requestLog())
      if (e.kind == sim::RequestKind::DirectWrite || (window && e.kind == sim::RequestKind::WindowWrite))
        w.emplace_back(e.request.begin(), e.request.end() - 2);
    return w;
  }
  // Position of `frame` among the writes (-1: not sent).
  long at(const std::string& frame, bool window = false) const {
    const auto w = writes(window);
    const auto it = std::find(w.begin(), w.end(), frame);
    return it == w.end() ? -1 : it - w.begin();
  }

  fs::path dir;
  std::unique_ptr<sim::VirtualDrive> drive;
  std::string env;
};

TEST_F(ZavoctlTuning, JogTurnsAtTheSpeedAndLeavesTheJogSpeedAsItWas) {
  struct Case {
    const char* args;
    const char* command;  // the JOG speed word of 1000 rpm at rated 3000 (4096 per rated speed)
    int json;
  };
  start();
  for (const Case c : {Case{"--speed 1000 --ms 300", "W5360555", 1365}, Case{"--speed 1000 --ms 300 --ccw", "W536FAAB", -1365}}) {
    drive->clearLog();
    const RunResult r = run(std::string("jog --json ") + c.args);
    ASSERT_EQ(r.code, 0) << r.out;
    // 536 held 137 (Sn201's 100 rpm): 60B gets 100 rpm (137 again), 536 gets the very word back.
    EXPECT_NE(r.out.find("{\"command\": " + std::to_string(c.json) + ", \"speed_rpm\": "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"restored\": 137}"), std::string::npos) << r.out;
    const auto w = writes();
    const std::vector<std::string> expected = {"W60B0089", "W5360000", "W6190001", c.command, "W5360000", "W6190000", "W5360089"};
    EXPECT_EQ(w, expected);
    const int rpm = std::stoi(r.out.substr(r.out.find("speed_rpm") + 12));
    EXPECT_NEAR(std::abs(rpm), 1000, 5) << "the axis reached the speed";
  }
  EXPECT_EQ(drive->readRegister('5', 0x36), 137);
}

TEST_F(ZavoctlTuning, JogRefusesWithTheServoOnOrAboveRatedSpeedAndSendsNothing) {
  sim::SimOptions on;
  start(on);
  RunResult r = run("jog --speed 1000 --ms 100");
  EXPECT_EQ(r.code, 4);
  EXPECT_NE(r.out.find("The status is Servo ON, JOG mode is invalid."), std::string::npos) << r.out;
  EXPECT_TRUE(writes().empty());
  drive->setRegister('6', 0x66, 0);
  r = run("jog --speed 3001 --ms 100");
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(writes().empty());
}

TEST_F(ZavoctlTuning, OfflineAutoGainChecksItsRangesRunsAndPrintsWhatTheDriveFound) {
  struct Case {
    int driveType;
    const char* startFrame;  // the start flag, on the family's own mode register
  };
  for (const Case c : {Case{2, "WC3E0001"}, Case{0, "W5DC0001"}}) {
    SCOPED_TRACE(c.driveType);
    sim::SimOptions o = servoOff();
    o.driveType = c.driveType;
    start(o);
    for (const char* bad : {"--accel 1999", "--accel 90001"}) {
      const RunResult r = run(std::string("autotune offline ") + bad + " --drive-type " + std::to_string(c.driveType));
      EXPECT_EQ(r.code, 2);
      EXPECT_NE(r.out.find("Over Range!!\n\nRange:2000~90000"), std::string::npos) << r.out;
    }
    EXPECT_TRUE(writes().empty());
    const RunResult r = run("autotune offline --accel 90000 --json --drive-type " + std::to_string(c.driveType));
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_NE(at(c.startFrame), -1);
    // Motor 0.34 kg·cm² with three times as much load; tn17's 50 Hz; position loop 25 %.
    EXPECT_NEAR(jsonInt(r.out, "CF8"), 136, 7) << r.out;
    EXPECT_NEAR(jsonInt(r.out, "Cn025"), 30, 2) << r.out;
    EXPECT_NE(r.out.find("\"Sn211\": 50, \"Sn212\": 85, \"Pn310\": 79"), std::string::npos) << r.out;
    drive->stop();
  }
}

TEST_F(ZavoctlTuning, GainsAdjustmentKeepsTheChosenResultsAsTheDriveGaveThem) {
  start();
  const RunResult r = run("autotune gains --tn10 80 --keep ratio,c9c,530");
  ASSERT_EQ(r.code, 0) << r.out;
  const int c9c = *drive->readRegister('C', 0x9C);
  ASSERT_GT(c9c, 16384 / 4);
  char frame[16];
  std::snprintf(frame, sizeof frame, "WC9C%04X", c9c);
  EXPECT_NE(at(frame), -1) << "the current gain goes back undivided";
  EXPECT_NE(at("W5300050"), -1) << "530 = tn10's 80 Hz";
  EXPECT_EQ(at("W5310000"), -1);
  EXPECT_EQ(writes().back(), "WB550000");
  // The kept ones are stored: they are the drive's parameters now.
  EXPECT_EQ(drive->storedParameter("Sn211"), 80);
}

TEST_F(ZavoctlTuning, MechanicalSelfTuningWritesItsParametersAndAdoptsOnlyWhenAsked) {
  start();
  RunResult r = run("selftune mech j --sn201 1000 --tn18 ccwl --json");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out.rfind("{\"test\": \"j\", \"finished\": true, \"values\": {\"JLMRatio\": 10}, \"proposed\": {", 0), 0u) << r.out;
  EXPECT_NEAR(jsonInt(r.out.substr(r.out.find("proposed")), "JLMRatio"), 30, 2) << r.out;
  EXPECT_NE(r.out.find("\"decision\": \"discarded\"}"), std::string::npos) << r.out;
  const std::vector<std::string> order = {"WB550000", "W5360555", "WB5C0064", "WB5D0005", "WB6003E8", "WB660002",
                                          "WB580002", "WB550002", "W9640002", "WB550000"};
  EXPECT_EQ(writes(), order);
  EXPECT_EQ(drive->storedParameter("Cn025"), 10);

  r = run("selftune mech all --sn201 1000 --adopt");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("decision adopted"), std::string::npos);
  EXPECT_NEAR(*drive->storedParameter("Cn025"), 30, 2);
  EXPECT_EQ(drive->storedParameter("Sn211"), 50);
}

TEST_F(ZavoctlTuning, SelfTuningFailuresAreTold) {
  sim::SimOptions o = servoOff();
  o.faults = *sim::FaultPlan::parse("refuse-reg=B66");
  start(o);
  for (const char* test : {"all", "nfc", "j", "acrbw", "acrgsw", "asr", "apr", "notch"}) {
    const RunResult r = run(std::string("selftune mech ") + test);
    EXPECT_EQ(r.code, 1) << test;
    EXPECT_NE(r.out.find("tn18 write error!"), std::string::npos) << test << r.out;
    EXPECT_EQ(at("WB550002"), -1) << test << ": not started";
  }
  drive->stop();
  start();
  // A drive whose test never reports its end: the wait ends, and the test is stopped.
  drive->setRegister('8', 0x49, 3);
  const RunResult r = run("selftune motor rs --timeout-s 2");
  EXPECT_EQ(r.code, 4);
  EXPECT_EQ(writes().back(), "WB550000");
  EXPECT_EQ(run("selftune motor deadtime --reduced").code, 2);
}

TEST_F(ZavoctlTuning, MotorIdentificationFillsItsResults) {
  start();
  const RunResult r = run("selftune motor nfcm --json");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("\"values\": {\"Viscous\": "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"NFC\": [2"), std::string::npos) << "2 % Coulomb friction, in 0.1 %: " << r.out;
  EXPECT_EQ(r.out.find("proposed"), std::string::npos);
}

TEST_F(ZavoctlTuning, LinearMotorDataGoThroughTheDialogsConversions) {
  start();
  RunResult r = run("linear-motor write OnE05=1.2345");
  EXPECT_EQ(r.code, 2) << "more decimals than the field takes";
  r = run("linear-motor write OnE05=1.5 OnE14=30 OnE11=400");
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("Write OK!"), std::string::npos);
  EXPECT_EQ(drive->storedParameter("OnE05"), 1500);
  EXPECT_EQ(drive->storedParameter("OnE14"), 300);
  EXPECT_EQ(drive->storedParameter("OnE11"), 16384);  // 400 % of 4096
  EXPECT_EQ(drive->storedParameter("OnE16"), 1);
  EXPECT_EQ(drive->storedParameter("OnE06"), 1000) << "a field not named keeps its word";
  // OnE16 first, through the window at its own word (0x261); Cn030 and then Cn029 when the
  // model changes.
  drive->clearLog();
  ASSERT_EQ(run("linear-motor write --model 0x1122").code, 0);
  EXPECT_LT(at("W5E90261", true), at("W5E9000B", true));
  EXPECT_LT(at("W5E9000B", true), at("W5E900FD", true));
  EXPECT_EQ(drive->storedParameter("Cn030"), 0x1122);
}

TEST_F(ZavoctlTuning, PoleAlignmentTellsEachStateTheFinalOneLast) {
  start();
  RunResult r = run("pole-align --current 4096 --on");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "Tuning\nOK\n");
  EXPECT_LT(at("WDBD1000"), at("W6680001")) << "the current before the start";
  r = run("pole-align --current 100 --on");
  EXPECT_EQ(r.code, 4);
  EXPECT_EQ(r.out, "Tuning\nAlarm\n");
  EXPECT_EQ(drive->readRegister('6', 0x68), 1);
}

}  // namespace
}  // namespace zavo::test
