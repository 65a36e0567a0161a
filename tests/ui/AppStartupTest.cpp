// Start-up in its order: the launcher's hand-over, the first connect, the title by drive
// type, the language library, and the settings written on close.

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QUrl>

#include <fstream>
#include <functional>

#include "app/AppSettings.h"
#include "app/CommandIds.h"
#include "platform/qt/UiText.h"
#include "params/document/ZavoServoDoc.h"
#include "resources/TextTable.h"
#include "tests/ui/AppFixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

using AppStartupTest = AppFixture;

std::string makeParameterFile(const fs::path& path) {
  CZavoServoDoc doc;
  doc.OnNewDocument();
  EXPECT_TRUE(doc.OnSaveDocument(path.string()).ok);
  return path.string();
}

TEST_F(AppStartupTest, HandOverCases) {
  struct Case {
    const char* name;
    std::string content;  // "" : no curfile.ini
    bool started;
    int driveType;
    bool connectAsked;
    const char* title;
    const char* message;  // the one message box expected, if any
  };
  const std::string file = makeParameterFile(root / "exe" / "backup.tec");
  const Case cases[] = {
      {"no hand-over", "", true, 2, true, "ZavoServo(M7-R) V1.218", nullptr},
      {"99 keeps the type, still connects", "99\n", true, 2, true, "ZavoServo(M7-R) V1.218", nullptr},
      {"type 3 without a file", "3\n", true, 3, true, "ZavoServo(N5) V1.218", nullptr},
      {"type 0 without a file", "0\n", true, 0, true, "ZavoServo(M7Q) V1.218", nullptr},
      {"type and a file: opened, no connect", "2\n" + file + "\n", true, 2, false, "ZavoServo(M7-R) V1.218", nullptr},
      {"an unopenable file ends the start-up", "1\n/no/such/file.tec\n", false, 1, false, nullptr, "failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    driveContext().reset(2);
    prompt.clear();
    requests.clear();
    if (!c.content.empty()) writeCurFile(c.content);
    EXPECT_EQ(start(options()), c.started);
    EXPECT_FALSE(fs::exists(root / "temp" / "curfile.ini")) << "the hand-over is read once";
    EXPECT_EQ(driveContext().driveType, c.driveType);
    EXPECT_EQ(requests.size(), c.connectAsked ? 1u : 0u);
    if (c.title) {
      EXPECT_TRUE(frame()->windowTitle().startsWith(QString::fromLatin1(c.title))) << frame()->windowTitle().toStdString();
    }
    const auto texts = prompt.texts();
    if (c.message) {
      ASSERT_FALSE(texts.empty());
      EXPECT_EQ(texts.back(), c.message);
    } else {
      EXPECT_TRUE(texts.empty()) << texts.front();
    }
    app.reset();
  }
}

TEST_F(AppStartupTest, AFileOnTheCommandLineOpensWithoutADebuggingBox) {
  const std::string file = makeParameterFile(root / "exe" / "cmd.tec");
  ASSERT_TRUE(start(options({QString::fromStdString(file)})));
  for (const auto& t : prompt.texts()) EXPECT_EQ(t.find("cmdInfo"), std::string::npos);
  ASSERT_NE(view(), nullptr);
  EXPECT_EQ(view()->document().pathName(), file);
  EXPECT_EQ(requests.size(), 1u) << "no hand-over file: the first connect still runs";
}

TEST_F(AppStartupTest, WithoutTheLanguageLibraryTheStartUpEndsSilently) {
  StartupOptions o = options();
  o.loadLanguage = [] { return TextTable::active().loadLibrary("libTolkarMissing.so"); };
  EXPECT_FALSE(start(std::move(o)));
  EXPECT_TRUE(prompt.texts().empty());
  EXPECT_EQ(frame(), nullptr) << "nothing is shown";
  EXPECT_TRUE(requests.empty());
}

TEST_F(AppStartupTest, TheLanguageLibraryLoadsByName) {
  EXPECT_TRUE(CZavoServoApp::loadLanguageLibrary());
  EXPECT_TRUE(TextTable::active().fromLibrary());
  TextTable::active().useBuiltin();
  setTextLookup({});
}

TEST_F(AppStartupTest, SettingsAreRestoredAndWrittenOnClose) {
  AppSettings before;
  before.comPort = 4;
  before.baudIndex = 2;
  before.station = 9;
  before.modbusMode = 1;
  before.setModbusFormat(7);
  before.definite = {{4, 12}};
  before.lastDisplay = 1;
  ASSERT_TRUE(before.save((root / "exe" / "ZavoServo.ini").string()));
  writeCurFile("3\n");
  ASSERT_TRUE(start(options()));
  EXPECT_EQ(app->programDirectory().path, (root / "exe").string());
  EXPECT_EQ(linkState().comPortIndex, 4);
  EXPECT_EQ(linkState().baudIndex, 2);
  EXPECT_EQ(linkState().station, 9);
  EXPECT_EQ(linkState().modbusFormat, 7);
  EXPECT_EQ(linkState().modbusAscii, 0);

  linkState().baudIndex = 5;
  frame()->close();
  AppSettings after;
  ASSERT_TRUE(after.load((root / "exe" / "ZavoServo.ini").string()));
  EXPECT_EQ(after.baudIndex, 5);
  EXPECT_EQ(after.comPort, 4);
  EXPECT_EQ(after.definite, before.definite);
  EXPECT_EQ(after.lastDisplay, 1);
  std::ifstream in(root / "exe" / "ZavoServo.ini");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(all.find("SerialNum=3\n"), std::string::npos) << "the drive type is written";
}

TEST_F(AppStartupTest, AProgramFolderThatCannotTakeFilesLeavesTheSettingsInTheConfigFolder) {
  // Read-only for an ordinary user; for root (who may write anywhere) a folder that is gone.
  if (::geteuid() == 0)
    fs::remove_all(root / "exe");
  else
    fs::permissions(root / "exe", fs::perms::owner_write, fs::perm_options::remove);
  fs::remove_all(root / "config");
  ASSERT_TRUE(start(options()));
  EXPECT_EQ(app->programDirectory().path, (root / "config").string());
  frame()->close();
  EXPECT_TRUE(fs::exists(root / "config" / "ZavoServo.ini")) << "created when missing";
  if (fs::exists(root / "exe")) fs::permissions(root / "exe", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(AppStartupTest, AFailedSettingsSaveIsReported) {
  ASSERT_TRUE(start(options()));
  fs::create_directories(root / "exe" / "ZavoServo.ini");  // a folder where the file should be
  prompt.clear();
  frame()->close();
  ASSERT_EQ(prompt.texts().size(), 1u);
  EXPECT_NE(prompt.texts()[0].find("ZavoServo.ini"), std::string::npos);
}

TEST_F(AppStartupTest, MenuCommandsOfLaterWorkAreDisabledAndTheShellsAreNot) {
  ASSERT_TRUE(start(options()));
  CommandActions& c = frame()->commands();
  for (int id : {cmd::kFileNew, cmd::kAppAbout, cmd::kHelpContent, cmd::kInstallInstructions, cmd::kConnect,
                 cmd::kDisconnect, cmd::kPortSet, cmd::kEditParameter, cmd::kCopyToDevice, cmd::kAppExit,
                 cmd::kDiDoPlanning, cmd::kWaveTrace})
    EXPECT_TRUE(c.action(id)->isEnabled()) << id;
  for (int id : {cmd::kJog, cmd::kAutoGain, cmd::kMechanicalAnalysis})
    EXPECT_FALSE(c.action(id)->isEnabled()) << id;
  EXPECT_EQ(c.action(cmd::kCopyToDevice)->text(), "Copy to &Device");
  EXPECT_EQ(c.action(cmd::kInstallInstructions)->text(), "Drive Install Instruciton");
}

TEST_F(AppStartupTest, NewAsksBeforeDiscardingAChangedDocument) {
  ASSERT_TRUE(start(options()));
  CZavoServoDoc& doc = view()->document();
  doc.setModifiedFlag(true);
  prompt.script(PromptAnswer::Cancel);
  frame()->runCommand(cmd::kFileNew);
  ASSERT_EQ(prompt.texts().size(), 1u);
  EXPECT_EQ(prompt.texts()[0], "Parameter is changed, do you want to save it?");
  EXPECT_TRUE(doc.isModified()) << "Cancel keeps the document";
  prompt.script(PromptAnswer::No);
  frame()->runCommand(cmd::kFileNew);
  EXPECT_FALSE(view()->document().isModified());
  EXPECT_EQ(frame()->mdiArea()->subWindowList().size(), 1) << "New reuses the child window";
  EXPECT_EQ(frame()->mdiArea()->subWindowList()[0]->windowTitle(), "New Project");
}

TEST_F(AppStartupTest, SaveWritesTheFileAndRecentFilesReopenIt) {
  const std::string file = makeParameterFile(root / "exe" / "saved.tec");
  ASSERT_TRUE(start(options({QString::fromStdString(file)})));
  CZavoServoDoc& doc = view()->document();
  ASSERT_TRUE(doc.setValue(ParamGroup::Cn, 10, 7));
  const auto before = fs::last_write_time(file);
  frame()->runCommand(cmd::kFileSave);
  EXPECT_FALSE(doc.isModified());
  EXPECT_GE(fs::last_write_time(file), before);
  CZavoServoDoc reread;
  ASSERT_TRUE(reread.OnOpenDocument(file));
  EXPECT_EQ(reread.value(ParamGroup::Cn, 10), 7);

  QAction* first = frame()->commands().action(cmd::kRecentFileFirst);
  ASSERT_NE(first, nullptr);
  Q_EMIT frame()->menuBar()->actions().value(0)->menu()->aboutToShow();
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->text().startsWith("&1 ...")) << first->text().toStdString() << ": long paths are shortened";
  EXPECT_TRUE(first->text().endsWith("saved.tec"));
  frame()->runCommand(cmd::kRecentFileFirst);
  EXPECT_EQ(frame()->mdiArea()->subWindowList().size(), 1) << "one document per frame";
  EXPECT_EQ(view()->document().pathName(), file);
}

TEST_F(AppStartupTest, AnOpenedFileTakesThePlaceOfTheDocumentAfterTheSaveQuestion) {
  const std::string file = makeParameterFile(root / "exe" / "dropped.tec");
  StartupOptions o = options();
  o.show = true;
  ASSERT_TRUE(start(std::move(o)));
  CZavoServoView* before = view();
  before->document().setModifiedFlag(true);
  const QList<QUrl> dropped{QUrl::fromLocalFile(QString::fromStdString(file)), QUrl(QStringLiteral("https://x/y.tec"))};
  prompt.script(PromptAnswer::Cancel);
  frame()->openDropped(dropped);
  EXPECT_TRUE(view()->document().pathName().empty()) << "Cancel keeps the changed document";
  prompt.script(PromptAnswer::No);
  frame()->openDropped(dropped);
  ASSERT_EQ(frame()->mdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(view(), before) << "the same window and view, with their link";
  EXPECT_EQ(view()->document().pathName(), file);
  EXPECT_FALSE(view()->document().isModified());
  EXPECT_TRUE(frame()->windowTitle().contains("dropped.tec")) << frame()->windowTitle().toStdString();
}

// Exit, the main window's close (Alt+F4) and the document window's close all ask first; Cancel
// keeps everything open, Yes saves.
TEST_F(AppStartupTest, EveryCloseOfAChangedDocumentAsksToSaveIt) {
  const std::string file = makeParameterFile(root / "exe" / "closing.tec");
  const struct {
    const char* how;
    std::function<bool(CMainFrame*)> close;
  } closers[] = {
      {"File > Exit",
       [](CMainFrame* f) {
         f->runCommand(cmd::kAppExit);
         return !f->isVisible();
       }},
      {"main window", [](CMainFrame* f) { return f->close(); }},
      {"document window", [](CMainFrame* f) { return f->mdiArea()->subWindowList().first()->close(); }},
  };
  for (const auto& c : closers) {
    SCOPED_TRACE(c.how);
    StartupOptions o = options({QString::fromStdString(file)});
    o.show = true;
    ASSERT_TRUE(start(std::move(o)));
    ASSERT_TRUE(view()->document().setValue(ParamGroup::Cn, 10, 123));
    prompt.clear();
    prompt.script(PromptAnswer::Cancel);
    EXPECT_FALSE(c.close(frame()));
    ASSERT_EQ(prompt.texts().size(), 1u);
    EXPECT_EQ(prompt.texts()[0], "Parameter is changed, do you want to save it?");
    EXPECT_TRUE(frame()->isVisible());
    ASSERT_EQ(frame()->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(view()->document().isModified());

    prompt.script(PromptAnswer::Yes);
    EXPECT_TRUE(c.close(frame()));
    CZavoServoDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(file));
    EXPECT_EQ(reread.value(ParamGroup::Cn, 10), 123);
    app.reset();
    makeParameterFile(file);
  }
}

TEST_F(AppStartupTest, SaveAsAddsTheExtensionOpenLooksFor) {
  StartupOptions o = options();
  o.pickSavePath = [this](QWidget*) { return QString::fromStdString((root / "exe" / "plain").string()); };
  ASSERT_TRUE(start(std::move(o)));
  frame()->runCommand(cmd::kFileSaveAs);
  EXPECT_TRUE(fs::exists(root / "exe" / "plain.tec"));
  EXPECT_FALSE(fs::exists(root / "exe" / "plain"));
  EXPECT_EQ(view()->document().pathName(), (root / "exe" / "plain.tec").string());
  EXPECT_EQ(withTecSuffix(QStringLiteral("/x/keep.TEC")), "/x/keep.TEC");
}

TEST_F(AppStartupTest, HelpAndInstructionsOpenFromTheProgramFolder) {
  StartupOptions o = options();
  ASSERT_TRUE(start(std::move(o)));
  std::ofstream(root / "exe" / "SERVO.chm") << "help";
  std::vector<QUrl> opened;
  // A replacement for the desktop's "open", so that nothing is really started.
  frame()->setUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  frame()->runCommand(cmd::kHelpContent);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toLocalFile().toStdString(), (root / "exe" / "SERVO.chm").string());
  prompt.clear();
  frame()->runCommand(cmd::kInstallInstructions);
  EXPECT_EQ(opened.size(), 1u) << "a missing manual is not handed to the desktop";
  ASSERT_EQ(prompt.texts().size(), 1u);
  EXPECT_NE(prompt.texts()[0].find("PDXM7 PDXM7-R Tuvaro"), std::string::npos);
}

}  // namespace
}  // namespace zavo::test
