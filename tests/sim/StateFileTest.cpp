// --state: what a power cycle keeps (stored parameters, the alarm history) and what it does
// not (values written only to the working registers).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/StateFile.h"
#include "tests/sim/SimLink.h"

namespace zavo::sim::test {
namespace {

class StateFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = ::testing::TempDir() + "zavo-sim-state-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove(path);
  }
  void TearDown() override { std::filesystem::remove(path); }
  SimOptions options(int type = 2) const {
    SimOptions o;
    o.driveType = type;
    o.statePath = path;
    return o;
  }
  std::string path;
};

TEST_F(StateFileTest, StoredValuesSurviveARestartLiveOnesDoNot) {
  int cn003Default = 0;
  {
    SimLink link(options());
    cn003Default = link.read('5', 0x11);
    ASSERT_TRUE(link.store(0x10, 9));        // Cn001 through the window
    ASSERT_TRUE(link.write('5', 0x11, 33));  // Cn003 running value only
    ASSERT_TRUE(link.write('6', 0x00, 0));   // clears AL02
    EXPECT_TRUE(std::filesystem::exists(path)) << "saved as soon as the drive stored it";
  }
  SimLink link(options());
  EXPECT_EQ(link.read('5', 0x10), 9) << "a stored value runs after the restart";
  EXPECT_EQ(link.fetch(0x10), 9);
  EXPECT_EQ(link.read('5', 0x11), cn003Default);
  EXPECT_EQ(link.read('6', 0x00), 0) << "the alarm history is non-volatile too";
}

TEST_F(StateFileTest, AFileThatIsNotAStateIsNeitherUsedNorOverwritten) {
  for (const std::string& content :
       {std::string("hello\n"), std::string("zavodrive-sim state 1\ndrive-type 2\nalarms 0 0\n"),
        std::string("zavodrive-sim state 1\ndrive-type 2\nalarms 0 0 0 0 0 0 0 0 0 0\n0010 12345\n"),
        std::string("zavodrive-sim state 1\ndrive-type 9\nalarms 0 0 0 0 0 0 0 0 0 0\n"),
        std::string("zavodrive-sim state 1\ndrive-type 2\nalarms 0 0 0 0 0 0 0 0 0 0\n") + std::string(500, 'x') + "\n"}) {
    { std::ofstream(path) << content; }
    VirtualDrive drive(options());
    std::string error;
    EXPECT_FALSE(drive.start(&error)) << content;
    EXPECT_FALSE(error.empty());
    drive.stop();
    std::ifstream in(path);
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == content) << "overwritten: " << content;
  }
}

TEST_F(StateFileTest, AStateOfAnotherDriveTypeIsRefused) {
  {
    SimLink link(options(2));
    ASSERT_TRUE(link.store(0x10, 3));
  }
  VirtualDrive drive(options(0));
  std::string error;
  EXPECT_FALSE(drive.start(&error));
  EXPECT_NE(error.find("drive type"), std::string::npos) << error;
}

TEST_F(StateFileTest, SaveAndLoadRoundTrip) {
  DriveState s;
  s.driveType = 3;
  s.alarms = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xFFFF};
  s.words = {{0, 0}, {0x1FF, 0xABCD}, {0x248, 1}};
  std::string error;
  ASSERT_TRUE(StateFile::save(path, s, &error)) << error;
  DriveState back;
  ASSERT_TRUE(StateFile::load(path, back, &error)) << error;
  EXPECT_EQ(back.driveType, 3);
  EXPECT_EQ(back.alarms, s.alarms);
  EXPECT_EQ(back.words, s.words);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

}  // namespace
}  // namespace zavo::sim::test
