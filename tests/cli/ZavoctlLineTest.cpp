// zavoctl on the line itself: the frame log of any drive command, an echoing line, the scan
// of a bus of virtual drives, and the restore that writes back only what differs.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
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

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

class ZavoctlLine : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zavoctl-line-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override {
    if (drive) drive->stop();
    fs::remove_all(dir);
  }
  void start(sim::SimOptions o) {
    driveContext().reset(o.driveType);
    o.linkPath = (dir / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    ASSERT_TRUE(drive->start());
    env = "ZAVO_PORT=" + o.linkPath;
  }
  RunResult run(const std::string& args, bool withErrors = false) { return zavoctl(args, env, withErrors); }

  fs::path dir;
  std::unique_ptr<sim::VirtualDrive> drive;
  std::string env;
};

TEST_F(ZavoctlLine, FrameLogOfAnyCommandHoldsWhatTheDriveSawOnAnEchoingLineToo) {
  for (const bool echo : {false, true}) {
    SCOPED_TRACE(echo ? "echoing line" : "plain line");
    if (drive) drive->stop();
    sim::SimOptions o;
    o.faults.echo = echo;
    start(o);
    const auto file = dir / "frames.txt";
    const auto r = run("read Cn010 --log-frames " + file.string());
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "Cn010 300\n");
    const auto lines = linesOf(slurp(file));
    std::vector<std::string> sent, replies;
    int echoes = 0;
    for (const auto& l : lines) {
      std::istringstream fields(l);
      std::string ms, arrow, protocol, bytes;
      fields >> ms >> arrow >> protocol >> bytes;
      if (l.find(" echo") != std::string::npos) {
        ++echoes;
        continue;
      }
      (arrow == "->" ? sent : replies).push_back(bytes);
    }
    const auto log = drive->requestLog();
    ASSERT_EQ(sent.size(), log.size());
    ASSERT_EQ(replies.size(), log.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
      EXPECT_EQ(sent[i], std::string(log[i].request.begin(), log[i].request.end()));
      EXPECT_EQ(replies[i], std::string(log[i].reply.begin(), log[i].reply.end()));
    }
    EXPECT_EQ(echoes, echo ? static_cast<int>(log.size()) : 0);
    EXPECT_NE(slurp(file).find("window address Cn010"), std::string::npos);
  }
  // "-" writes the frames to standard error, next to the messages; the output stays clean.
  const auto r = run("read Cn010 --log-frames -", true);
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("-> DL   RC42FB"), std::string::npos);
  EXPECT_EQ(run("read Cn010 --log-frames -").out, "Cn010 300\n");
}

TEST_F(ZavoctlLine, ScanListsTheDrivesOfABusAndExitsOneWhenNoneAnswers) {
  sim::SimOptions o;
  o.line = sim::LineProtocol::ModbusRtu;
  o.busStations = {3, 12};
  o.busDriveTypes = {3, 2};
  o.bauds = {9600, 19200};
  start(o);
  auto r = run("scan --bauds 9600,19200 --stations 1-15 --formats 7");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "station 3  9600 8E1 RTU  type 3  E01.25  motor 1121\n"
                   "station 12  19200 8E1 RTU  type 2  A01.25  motor 1121\n");
  r = run("scan --bauds 19200 --stations 12 --formats 7 --json");
  EXPECT_EQ(r.out, "[{\"protocol\": \"modbus\", \"station\": 12, \"baud\": 19200, \"format\": 7, "
                   "\"line\": \"8E1 RTU\", \"type\": 2, \"version\": 125, \"versionText\": \"A01.25\", "
                   "\"model\": 4385}]\n");
  drive->clearLog();
  r = run("scan --bauds 38400,57600 --stations 1-15");
  EXPECT_EQ(r.code, 1) << "nothing at the wrong rates";
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(drive->requestCount(), 2 * 16) << "every probe went out, none was heard";
  drive->clearLog();
  for (const char* bad : {"scan --stations 0-3", "scan --bauds 1234", "scan --formats 9", "scan --sideways"}) {
    EXPECT_EQ(run(bad).code, 2) << bad;
  }
  EXPECT_EQ(drive->requestCount(), 0) << "nothing sent on bad input";
}

// The linear numbers of every word the drive was told to store (write address, then store).
std::set<int> storedWords(const std::vector<sim::LogEntry>& log) {
  std::set<int> words;
  for (const auto& e : log) {
    const std::string rq(e.request.begin(), e.request.end());
    if (rq.rfind("W5E9", 0) == 0) words.insert(std::stoi(rq.substr(4, 4), nullptr, 16));
  }
  return words;
}

TEST_F(ZavoctlLine, RestoreOfTheDifferingWritesExactlyThoseAndConfirmsThem) {
  start({});
  const std::string file = (dir / "drive.tec").string();
  ASSERT_EQ(run("backup " + file).code, 0);
  // Changed behind the program's back: a 16-bit, a page-C and a 32-bit parameter.
  for (const auto& [code, value] : {std::pair{"Cn010", 250}, {"Sn201", 50}, {"Pn302", 1234}})
    drive->setParameter(code, conversion::toRaw(code, value));
  const std::string differences = "Cn010 300 250\nSn201 100 50\nPn302 1 1234\n";
  const auto wordsOf = [](std::initializer_list<const char*> codes) {
    std::set<int> words;
    for (const char* c : codes)
      for (const int w : {catalogue::wordAddress(c), catalogue::highWordAddress(c)})
        if (w >= 0) words.insert(w);
    return words;
  };

  drive->clearLog();
  auto r = run("restore " + file + " --only-differing --dry-run");
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.out, differences);
  EXPECT_TRUE(storedWords(drive->requestLog()).empty()) << "a dry run writes nothing";

  drive->clearLog();
  r = run("restore " + file + " --only-differing --select Cn010");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, differences);
  EXPECT_EQ(storedWords(drive->requestLog()), wordsOf({"Cn010"}));

  drive->clearLog();
  EXPECT_EQ(run("restore " + file + " --only-differing").code, 0);
  EXPECT_EQ(storedWords(drive->requestLog()), wordsOf({"Sn201", "Pn302"}));
  EXPECT_EQ(run("compare " + file).code, 0);

  drive->clearLog();
  for (const char* bad : {" --select Cn010", " --dry-run", " --only-differing --select Xn999"})
    EXPECT_EQ(run("restore " + file + bad).code, 2) << bad;
  EXPECT_EQ(drive->requestCount(), 0) << "nothing sent on bad input";
}

}  // namespace
}  // namespace zavo::test
