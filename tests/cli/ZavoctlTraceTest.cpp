// zavoctl trace against the virtual drive: what it refuses before sending anything, what
// each mode captures, and how it ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "sim/VirtualDrive.h"
#include "tests/cli/Run.h"

namespace zavo::test {
namespace {
namespace fs = std::filesystem;

class ZavoctlTrace : public ::testing::Test {
 protected:
  void startDrive(sim::SimOptions o = {}) {
    dir_ = fs::temp_directory_path() / ("zavoctl-trace-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    o.linkPath = (dir_ / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    ASSERT_TRUE(drive->start());
  }
  void TearDown() override {
    if (drive) drive->stop();
    fs::remove_all(dir_);
  }
  // `runner` goes before the program (e.g. a `timeout` that interrupts it).
  RunResult trace(const std::string& args, const std::string& runner = {}) {
    return zavoctl("trace " + args + " --baud 115200", "ZAVO_PORT=" + (dir_ / "drive").string() + " " + runner, true);
  }
  // The lines of four numbers in `out` (standard error's lines have words).
  static int records(const std::string& out) {
    std::istringstream in(out);
    int n = 0;
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      int v, count = 0;
      while (fields >> v) ++count;
      n += count == 4 && fields.eof();
    }
    return n;
  }

  std::unique_ptr<sim::VirtualDrive> drive;

 private:
  fs::path dir_;
};

TEST_F(ZavoctlTrace, WhatTheDialogRefusesIsAUsageErrorAndNothingIsSent) {
  startDrive();
  const char* refused[] = {
      "--mode single --sources 1,2 --interval 0",
      "--mode cycle --sources 1,2 --interval 1251",
      "--mode monitor --sources 1,2 --interval 501",
      "--mode single --sources 1,2 --trigger 1 --level -3001",
      "--mode single --sources 5,2 --trigger 1 --level 40000",
      "--mode single --sources 1,2 --trigger 1 --position 51",
      "--mode monitor --sources 1,2 --trigger 1",
      "--mode single --sources 1,2,3,4,5",
      "--mode single --sources 1,2 --halves 3",
      "--sources 1,2",
  };
  for (const char* args : refused) {
    const auto r = trace(args);
    EXPECT_EQ(r.code, 2) << args << "\n" << r.out;
  }
  EXPECT_EQ(drive->requestCount(), 0);
}

TEST_F(ZavoctlTrace, EveryModeCapturesWithAndWithoutTrigger) {
  startDrive();
  struct Case {
    const char* args;
    int records;
  };
  const Case cases[] = {
      {"--mode single --sources 6,2,3,5", 1024},
      {"--mode single --sources 6,2 --trigger 1 --level 90 --edge both --position 20", 1024},
      {"--mode cycle --sources 1,2 --cycles 2", 2048},
      {"--mode cycle --sources 6 --trigger 1 --level 180 --edge rise --position 50 --cycles 2", 2048},
      {"--mode monitor --sources 2,1,9,21 --halves 1", 128},
      {"--mode monitor --sources 2 --read-back", 256},
  };
  for (const auto& c : cases) {
    const auto r = trace(std::string(c.args) + " --stream");
    EXPECT_EQ(r.code, 0) << c.args << "\n" << r.out.substr(r.out.size() > 300 ? r.out.size() - 300 : 0);
    EXPECT_EQ(records(r.out), c.records) << c.args;
    EXPECT_NE(r.out.find("trace: " + std::to_string(c.records) + " records"), std::string::npos) << c.args;
  }
}

TEST_F(ZavoctlTrace, InterruptStopsTheDriveAndRefusalsAreLinkFailures) {
  startDrive();
  const auto r = trace("--mode monitor --sources 2", "timeout --preserve-status -s INT 1.5");
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("interrupted"), std::string::npos) << r.out;
  const auto log = drive->requestLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(std::string(log.back().request.begin(), log.back().request.begin() + 4), "W7D2");
  drive->stop();

  sim::SimOptions refusing;
  refusing.tracePortRefused = true;
  startDrive(refusing);
  const auto refused = trace("--mode single --sources 1");
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.out.find("Error Communication Port ,Please Use USB Port"), std::string::npos) << refused.out;
}

}  // namespace
}  // namespace zavo::test
