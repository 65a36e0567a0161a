// The view's commands in the running program: which ones it serves, auto offset adjustment
// against the virtual drive over a pty, and the display selection kept in ZavoServo.ini.

#include <gtest/gtest.h>

#include <QAction>

#include <fstream>
#include <sstream>

#include "app/AutoOffsetAdjust.h"
#include "app/ui/CZavoServoApp.h"
#include "app/ui/RegisterListingCommands.h"
#include "platform/qt/UiText.h"
#include "resources/TextTable.h"
#include "sim/VirtualDrive.h"
#include "tests/ui/AppFixture.h"

namespace zavo::test {
namespace {

bool loadEnglish() {
  if (!TextTable::active().loadLibrary(TOLKAR_PATH)) return false;
  setTextLookup([](int id) { return id < 0 ? std::string() : text(static_cast<unsigned>(id)); });
  return true;
}

class ViewCommandsTest : public AppFixture {
 protected:
  StartupOptions englishOptions() {
    StartupOptions o = options();
    o.loadLanguage = &loadEnglish;
    return o;
  }
  void startLinked() {
    sim::SimOptions o;
    o.linkPath = (root / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    std::string error;
    ASSERT_TRUE(drive->start(&error)) << error;
    entries = {o.linkPath + " : Virtual drive"};
    answer = LinkPortChoice{0, entries[0], 2};
    ASSERT_TRUE(start(englishOptions()));
    ASSERT_TRUE(linkState().isConnected()) << (prompt.texts().empty() ? "" : prompt.texts().back());
    prompt.clear();
  }
  void TearDown() override {
    AppFixture::TearDown();
    if (drive) drive->stop();
  }

  std::unique_ptr<sim::VirtualDrive> drive;
};

TEST_F(ViewCommandsTest, TheViewServesItsCommandsAndLaterOnesStayDisabled) {
  ASSERT_TRUE(start(englishOptions()));  // the connect dialog is cancelled
  for (int id : {cmd::kPortSet, cmd::kConnect, cmd::kDisconnect, cmd::kCopyToDevice, cmd::kCopyToComputer,
                 cmd::kAutoOffset, cmd::kPrint, cmd::kPrintPreview, cmd::kInstallInstructions, cmd::kDiDoPlanning,
                 cmd::kPositionProgramming, cmd::kOnlineParameter, cmd::kFullClosedLoop, cmd::kFlyingShear,
                 cmd::kChaseShear, cmd::kWaveTrace, cmd::kDisplayValues, cmd::kDiagnostics,
                 cmd::kAlarmHistory})
    EXPECT_TRUE(frame()->commands().action(id)->isEnabled()) << id;
  for (int id : {cmd::kMotorSelfTuning, cmd::kMechanicalAnalysis,
                 cmd::kJog, cmd::kAutoGain, cmd::kMechanicalSelfTuning, cmd::kInertiaEstimation,
                 cmd::kGantrySync, cmd::kLinearMotor1, cmd::kLinearMotor2, cmd::kOnlineNotch,
                 cmd::kVibrationSuppression}) {
    EXPECT_FALSE(frame()->commands().action(id)->isEnabled()) << id;
    EXPECT_FALSE(frame()->runCommand(id)) << id;
  }
}

TEST_F(ViewCommandsTest, CopyCommandsDoNothingWithoutALink) {
  ASSERT_TRUE(start(englishOptions()));
  prompt.clear();
  // Without a link neither command may ask for a file (a file dialog would block this test).
  EXPECT_TRUE(frame()->runCommand(cmd::kCopyToComputer));
  EXPECT_TRUE(frame()->runCommand(cmd::kCopyToDevice));
  EXPECT_TRUE(prompt.shown().empty());
}

TEST(AutoOffsetQuestionTest, NamesTheContactsOfTheDriveFamily) {
  ASSERT_TRUE(loadEnglish());
  for (int type : {0, 1}) {
    const std::string q = autoOffsetQuestion(type);
    EXPECT_NE(q.find("(CN1-12)"), std::string::npos) << q;
    EXPECT_LT(q.find("(CN1-12)"), q.find("(CN1-13)")) << q;
  }
  for (int type : {2, 3, 4}) {
    const std::string q = autoOffsetQuestion(type);
    EXPECT_LT(q.find("(CN1-26)"), q.find("(CN1-29)")) << q;
    EXPECT_EQ(q.find("%s"), std::string::npos) << q;
  }
}

constexpr const char* kOffsetTitle = "Auto offset adjustment (dn-07)";

TEST_F(ViewCommandsTest, AutoOffsetOnYesStartsTheDrivesAdjustment) {
  startLinked();
  drive->setRegister(kAutoOffsetPage, kAutoOffsetRegister, 0);
  prompt.script(PromptAnswer::Yes);
  ASSERT_TRUE(frame()->runCommand(cmd::kAutoOffset));
  const auto shown = prompt.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, autoOffsetQuestion(2));
  EXPECT_EQ(shown[0].title, kOffsetTitle);
  EXPECT_EQ(shown[0].icon, PromptIcon::Question);
  EXPECT_EQ(shown[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(shown[1].text, "Successfully!!");
  EXPECT_EQ(shown[1].title, kOffsetTitle);
  EXPECT_EQ(shown[1].icon, PromptIcon::Information);
  EXPECT_EQ(drive->readRegister(kAutoOffsetPage, kAutoOffsetRegister), kAutoOffsetStart);
}

TEST_F(ViewCommandsTest, AutoOffsetOnNoSendsNothing) {
  startLinked();
  drive->setRegister(kAutoOffsetPage, kAutoOffsetRegister, 0);
  prompt.script(PromptAnswer::No);
  frame()->runCommand(cmd::kAutoOffset);
  EXPECT_EQ(prompt.shown().size(), 1u);
  EXPECT_EQ(drive->readRegister(kAutoOffsetPage, kAutoOffsetRegister), 0);
}

TEST_F(ViewCommandsTest, AutoOffsetReportsADriveThatDoesNotTakeTheWrite) {
  startLinked();
  sim::FaultPlan refuse;
  refuse.refuse = 1.0;
  drive->setFaults(refuse);
  prompt.script(PromptAnswer::Yes);
  frame()->runCommand(cmd::kAutoOffset);
  const auto shown = prompt.shown();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "Communicate Error!");
  EXPECT_EQ(shown[1].icon, PromptIcon::Stop);
}

TEST_F(ViewCommandsTest, AutoOffsetWithoutALinkAsksAndThenReportsTheError) {
  ASSERT_TRUE(start(englishOptions()));
  prompt.clear();
  prompt.script(PromptAnswer::Yes);
  frame()->runCommand(cmd::kAutoOffset);
  ASSERT_EQ(prompt.shown().size(), 2u);
  EXPECT_EQ(prompt.shown()[1].text, "Communicate Error!");
}

TEST_F(ViewCommandsTest, AutoOffsetWaitsWhileAMonitorOrJogWindowIsOpen) {
  startLinked();
  using Flag = bool CZavoServoView::ToolWindows::*;
  for (Flag open : {&CZavoServoView::ToolWindows::jog, &CZavoServoView::ToolWindows::display,
                    &CZavoServoView::ToolWindows::diagnostics, &CZavoServoView::ToolWindows::alarm}) {
    view()->toolWindows() = {};
    view()->toolWindows().*open = true;
    frame()->runCommand(cmd::kAutoOffset);
    EXPECT_TRUE(prompt.shown().empty());
  }
}

std::string fileText(const std::filesystem::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The words of a listing, in order.
std::vector<int> listingWords(const std::string& text) {
  std::vector<int> words;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (const auto at = line.find("H'"); at != std::string::npos) words.push_back(std::stoi(line.substr(at + 2, 4), nullptr, 16));
  return words;
}

TEST_F(ViewCommandsTest, TheRegisterImageGoesToAListingAndBack) {
  startLinked();
  const auto listing = root / "image.dat";
  ASSERT_TRUE(copyDriveToListing(*view(), listing.string())) << (prompt.texts().empty() ? "" : prompt.texts().back());
  std::string text = fileText(listing);
  const std::vector<int> words = listingWords(text);
  ASSERT_EQ(words.size(), 512u);
  for (int linear : {0, 5, 0x100, 0x1FF}) EXPECT_EQ(words[static_cast<std::size_t>(linear)], drive->storedWord(linear)) << linear;

  // One word changed in the file reaches the drive's memory.
  const int changed = (words[5] + 0x1234) & 0xFFFF;
  char wanted[8];
  std::snprintf(wanted, sizeof wanted, "%04X", changed);
  const auto line5 = text.find(";0005");
  ASSERT_NE(line5, std::string::npos);
  const auto value5 = text.rfind("H'", line5);
  text.replace(value5 + 2, 4, wanted);
  std::ofstream(listing) << text;
  prompt.clear();
  ASSERT_TRUE(copyListingToDrive(*view(), listing.string()));
  EXPECT_EQ(drive->storedWord(5), changed);
  ASSERT_FALSE(prompt.shown().empty());
  EXPECT_EQ(prompt.shown().back().title, "Write data");
}

TEST_F(ViewCommandsTest, ARefusedListingSendsNothing) {
  startLinked();
  const auto listing = root / "short.dat";
  std::ofstream(listing) << "; Zavo Servo v0.1.151225\n;\n;\n\t.DATA.W   H'1234   ;0000   \n";
  const int before = drive->storedWord(0);
  EXPECT_FALSE(copyListingToDrive(*view(), listing.string()));
  EXPECT_EQ(drive->storedWord(0), before);
  ASSERT_EQ(prompt.shown().size(), 1u) << "the invalid-file message";
}

TEST_F(ViewCommandsTest, TheDisplaySelectionLivesInZavoServoIni) {
  ASSERT_TRUE(start(englishOptions()));
  DisplaySelection chosen;
  chosen.mode = DisplayMode::Custom;
  chosen.groups.fill(false);
  chosen.groups[static_cast<std::size_t>(DisplayGroup::ECA)] = true;
  chosen.controlModes = {false, true, false, false, true};
  chosen.custom = {{1, 5}, {8, 96}, {5, 1}};
  view()->setDisplaySelection(chosen);
  frame()->close();
  const std::string ini = fileText(app->settingsPath().toStdString());
  EXPECT_NE(ini.find("[Definite Parameter]\n3\n1\n05\n8\n96\n5\n01\n[Display Setting]\n2\n"), std::string::npos) << ini;

  // The editor changes the selection in place; closing keeps that too.
  app.reset();
  ASSERT_TRUE(start(englishOptions()));
  EXPECT_EQ(view()->displaySelection(), chosen);
  view()->displaySelection().controlModes[0] = true;
  chosen.controlModes[0] = true;
  frame()->close();
  app.reset();
  ASSERT_TRUE(start(englishOptions()));
  EXPECT_EQ(view()->displaySelection(), chosen);
}

}  // namespace
}  // namespace zavo::test
