// The zavodrive-sim program itself: its first line, its link, its log, its exit on SIGTERM
// and SIGINT, and its command line.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "comtrak/CSerial.h"
#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "sim/CommandLine.h"

namespace zavo::sim::test {
namespace {

// The program running with `args`, its standard output on a pipe.
class Running {
 public:
  explicit Running(std::vector<std::string> args) {
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv{const_cast<char*>(ZAVODRIVE_SIM_PATH)};
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(ZAVODRIVE_SIM_PATH, argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    out_ = ::fdopen(out[0], "r");
  }
  ~Running() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_) std::fclose(out_);
  }
  std::string line() {
    char buf[512];
    if (!out_ || !std::fgets(buf, sizeof buf, out_)) return {};
    std::string s(buf);
    if (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
  }
  // Sends `sig` and returns the exit status (-1 when it did not exit normally).
  int signalAndWait(int sig) {
    ::kill(pid_, sig);
    return wait();
  }
  int wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  std::FILE* out_ = nullptr;
  bool exited_ = false;
};

std::string tempPath(const std::string& name) {
  return ::testing::TempDir() + "zavo-sim-" + name + "-" + std::to_string(::getpid());
}

TEST(Program, AnnouncesServesLogsAndLeavesCleanlyOnSignals) {
  for (const int sig : {SIGTERM, SIGINT}) {
    const std::string link = tempPath("link");
    const std::string log = tempPath("log");
    Running sim({"--link", link, "--log", log, "--drive-type", "3", "--seed", "5"});
    const std::string first = sim.line();
    ASSERT_EQ(first.rfind("PORT /dev/pts/", 0), 0u) << first;
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), first.substr(5));

    CSerial port;
    ASSERT_EQ(port.Open(link.c_str(), 19200, 300, 2048, 2048), 0);
    linkState().connected = 1;
    std::uint8_t reply[7];
    EXPECT_EQ(checkedExchange(port, drivelink::readRequest('6', 0xCB), reply, sizeof reply), 2);
    port.Close();

    EXPECT_EQ(sim.signalAndWait(sig), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link))) << "the link goes with the drive";
    std::ifstream in(log);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    // "<ms since start> <request> -> <reply>"
    const auto space = line.find(' ');
    ASSERT_NE(space, std::string::npos) << line;
    EXPECT_GT(space, 0u);
    EXPECT_EQ(line.find_first_not_of("0123456789"), space) << line;
    EXPECT_EQ(line.substr(space), " R6CB0D -> %0001E6");
    std::filesystem::remove(log);
  }
}

TEST(Program, BadArgumentsExitWithAUsageError) {
  Running sim({"--baud", "12345"});
  EXPECT_EQ(sim.line(), "");
  EXPECT_EQ(sim.wait(), 2);
}

TEST(Program, ALinkPathThatIsAFileIsLeftAlone) {
  const std::string path = tempPath("taken");
  { std::ofstream(path) << "mine"; }
  Running sim({"--link", path});
  EXPECT_EQ(sim.wait(), 1);
  std::ifstream in(path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "mine");
  std::filesystem::remove(path);
}

TEST(CommandLineParse, OptionsAndTheirErrors) {
  const auto ok = CommandLine::parse({"--drive-type", "0", "--baud", "115200", "--pace", "--turnaround-ms", "1.5",
                                      "--modbus", "rtu", "--station", "7", "--format", "8", "--seed", "42",
                                      "--faults", "drop=0.1"});
  ASSERT_EQ(ok.error, "");
  EXPECT_EQ(ok.options.driveType, 0);
  EXPECT_EQ(ok.options.baud, 115200);
  EXPECT_TRUE(ok.options.pace);
  EXPECT_DOUBLE_EQ(ok.options.turnaroundMs, 1.5);
  EXPECT_EQ(ok.options.line, LineProtocol::ModbusRtu);
  EXPECT_EQ(ok.options.station, 7);
  EXPECT_EQ(ok.options.bitsPerCharacter(), 11) << "8O1";
  EXPECT_EQ(ok.options.seed, 42u);
  EXPECT_DOUBLE_EQ(ok.options.faults.drop, 0.1);

  struct Bits {
    std::vector<std::string> args;
    int bits;
  } bits[] = {{{}, 10},
              {{"--modbus", "ascii"}, 10},
              {{"--modbus", "ascii", "--format", "1"}, 10},
              {{"--modbus", "ascii", "--format", "3"}, 11},
              {{"--modbus", "rtu"}, 11},
              {{"--modbus", "rtu", "--format", "7"}, 11}};
  for (const auto& b : bits) EXPECT_EQ(CommandLine::parse(b.args).options.bitsPerCharacter(), b.bits);

  const auto bus = CommandLine::parse({"--modbus", "rtu", "--stations", "1,5,17", "--drive-type", "2,3,2", "--bauds",
                                       "19200,9600,19200"});
  ASSERT_EQ(bus.error, "");
  const auto drives = bus.options.drives();
  ASSERT_EQ(drives.size(), 3u);
  EXPECT_EQ(drives[1].station, 5);
  EXPECT_EQ(drives[1].driveType, 3);
  EXPECT_EQ(drives[1].baud, 9600);
  EXPECT_EQ(drives[2].driveType, 2) << "repeats are kept";
  EXPECT_EQ(CommandLine::parse({"--bauds", "38400"}).options.drives()[0].baud, 38400);

  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--drive-type", "5"}, {"--baud", "1000"}, {"--modbus", "tcp"},
                                             {"--station", "0"}, {"--format", "9", "--modbus", "ascii"},
                                             {"--format", "2"}, {"--modbus", "rtu", "--format", "2"},
                                             {"--turnaround-ms", "-1"}, {"--seed", "x"}, {"--faults", "drop=2"},
                                             {"--link"}, {"extra"}, {"--alarms", "1,2,3,4,5,6,7,8,9,10,11"},
                                             {"--alarms", "70000"}, {"--pin", "B13"}, {"--pin", "Z13=1"},
                                             {"--pin", "B13=-40000"}, {"--drive-type", "2,9"},
                                             {"--drive-type", "2,3"}, {"--stations", "1,5"},
                                             {"--modbus", "rtu", "--stations", "1,5", "--drive-type", "2,3,4"},
                                             {"--modbus", "rtu", "--stations", "1,5", "--bauds", "1,2,3"},
                                             {"--bauds", "9600,19200"}, {"--bauds", "1234"}}) {
    EXPECT_NE(CommandLine::parse(bad).error, "") << bad[0];
  }
}

}  // namespace
}  // namespace zavo::sim::test
