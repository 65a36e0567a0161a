// Client: the hand-over it writes and the copy of ZavoServo it starts, against an installed
// tree whose programs are stubs that only note that they ran.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>

#include <filesystem>
#include <fstream>

#include "launcher/LaunchTable.h"
#include "launcher/SelectDialog.h"
#include "tests/support/RecordingPrompt.h"
#include "tests/ui/QtApp.h"

namespace zavo {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::qtApp();
    root = fs::temp_directory_path() / ("zavo_launcher_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "temp");
    // Each family's program writes where it ran from into a marker beside itself.
    for (const char* family : {"M7", "M7-R", "K4"}) {
      fs::create_directories(root / "install" / family);
      const fs::path program = root / "install" / family / "ZavoServo";
      std::ofstream(program) << "#!/bin/sh\necho \"$0\" > \"$(dirname \"$0\")/started\"\n";
      fs::permissions(program, fs::perms::owner_all);
    }
  }
  void TearDown() override { fs::remove_all(root); }

  QString dir(const char* name) const { return QString::fromStdString((root / name).string()); }

  // Chooses entry `index` and presses OK with the real process start.
  void choose(int index, const QString& tempDir) {
    SelectDialog d({dir("install"), tempDir, {}});
    d.typeCombo()->setCurrentIndex(index);
    d.press(kIdOk);
    EXPECT_EQ(d.result(), QDialog::Accepted);
  }

  bool waitFor(const fs::path& p) {
    QElapsedTimer t;
    t.start();
    while (!fs::exists(p) && t.elapsed() < 5000) QThread::msleep(20);
    QThread::msleep(50);  // the marker's line is written right after it is created
    return fs::exists(p);
  }

  fs::path root;
  test::RecordingPrompt prompt;
};

TEST_F(LauncherTest, EachChoiceWritesItsCodeAndStartsItsFamilysProgram) {
  struct Case {
    int index;
    const char* item;
    const char* handOver;
    const char* family;
  };
  const Case cases[] = {{1, "M7-R", "3\n", "M7-R"}, {10, "K4-X", "10\n", "K4"}, {0, "M7", "99\n", "M7"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    const fs::path marker = root / "install" / c.family / "started";
    fs::remove(marker);
    choose(c.index, dir("temp"));
    EXPECT_EQ(launchTable()[static_cast<std::size_t>(c.index)].text, std::string(c.item));
    EXPECT_EQ(slurp(root / "temp" / "curfile.ini"), c.handOver);
    ASSERT_TRUE(waitFor(marker));
    EXPECT_EQ(slurp(marker), (root / "install" / c.family / "ZavoServo").string() + "\n");
    EXPECT_TRUE(prompt.texts().empty());
  }
}

TEST_F(LauncherTest, AnUnwritableHandOverIsReportedOnlyForM7RAndTheLaunchGoesOn) {
  for (int index : {1, 2}) {
    SCOPED_TRACE(index);
    prompt.clear();
    const fs::path marker = root / "install" / "M7-R" / "started";
    fs::remove(marker);
    choose(index, dir("no-such-temp"));
    EXPECT_EQ(prompt.texts().size(), index == 1 ? 1u : 0u);
    if (index == 1) {
      EXPECT_EQ(prompt.texts()[0], "authority is not enough and open file failed!");
    }
    EXPECT_TRUE(waitFor(marker)) << "the program starts all the same";
  }
}

TEST_F(LauncherTest, TheDialogAsItOpens) {
  SelectDialog d({dir("install"), dir("temp"), [](const QString&) { return true; }});
  EXPECT_EQ(d.windowTitle(), "Select");
  auto* combo = d.control<QComboBox>(kIdcTypeCombo);
  ASSERT_EQ(combo->count(), 17);
  EXPECT_EQ(combo->currentIndex(), 0);
  const char* items[] = {"M7", "M7-R", "M7Q", "M7Q-L", "M7Q-R", "M7Q-RL", "N5", "K4", "K4-C",
                         "K4-R", "K4-X", "K4-V", "W3", "W3Q", "W6", "W6-R", "BXN"};
  for (int i = 0; i < 17; ++i) EXPECT_EQ(combo->itemText(i).toStdString(), items[i]);
  EXPECT_EQ(d.radioIndex(), 2);
  for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1037}) EXPECT_NE(d.control<QRadioButton>(id), nullptr) << id;
  EXPECT_EQ(d.control<QRadioButton>(1037)->text(), "PDXAP&&PDXAS");

  bool started = false;
  SelectDialog cancel({dir("install"), dir("temp"), [&](const QString&) { return started = true; }});
  cancel.press(kIdCancel);
  EXPECT_FALSE(started);
  EXPECT_FALSE(fs::exists(root / "temp" / "curfile.ini"));
}

TEST(LaunchTableTest, ProgramPaths) {
  EXPECT_EQ(programPathFor("/opt/zavo", 1), "/opt/zavo/M7-R/ZavoServo");
  EXPECT_EQ(programPathFor("/opt/zavo/", 7), "/opt/zavo/K4/ZavoServo");
  EXPECT_EQ(programPathFor("/opt/zavo", 16), "/opt/zavo/M7-R/ZavoServo");
}

}  // namespace
}  // namespace zavo
