#pragma once
// A ZavoServo start-up in a folder of its own: program, configuration and temporary folders
// under one temporary root, message boxes recorded, the port dialog answered by the test.

#include <gtest/gtest.h>

#include <QStandardPaths>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "app/CommandIds.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CZavoServoApp.h"
#include "app/ui/CZavoServoView.h"
#include "app/ui/StatusBarPanes.h"
#include "link/LinkPort.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "tests/support/RecordingPrompt.h"
#include "tests/ui/QtApp.h"

namespace zavo::test {

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApp();
    QStandardPaths::setTestModeEnabled(true);
    root = std::filesystem::temp_directory_path() /
           ("zavo_app_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    for (const char* d : {"exe", "config", "temp"}) std::filesystem::create_directories(root / d);
    driveContext().reset(2);
    linkState().reset();
  }

  void TearDown() override {
    app.reset();
    mainPort().Close();
    linkState().reset();
    std::filesystem::remove_all(root);
  }

  StartupOptions options(QStringList arguments = {}) {
    StartupOptions o;
    o.arguments = std::move(arguments);
    o.executableDir = QString::fromStdString((root / "exe").string());
    o.configDir = QString::fromStdString((root / "config").string());
    o.tempDir = QString::fromStdString((root / "temp").string());
    o.loadLanguage = [] { return true; };
    o.portEntries = [this] { return entries; };
    o.askPort = [this](const LinkPortRequest& r, QWidget*) {
      requests.push_back(r);
      return answer;
    };
    o.show = false;
    o.installPrompt = false;
    o.watchDevices = false;
    return o;
  }

  bool start(StartupOptions o) {
    app = std::make_unique<CZavoServoApp>(std::move(o));
    return app->InitInstance();
  }

  void writeCurFile(const std::string& content) {
    std::ofstream(root / "temp" / "curfile.ini") << content;
  }

  CMainFrame* frame() const { return app->mainFrame(); }
  CZavoServoView* view() const { return frame()->activeView(); }
  QString pane(int p) const { return frame()->statusPanes()->paneText(p); }

  std::filesystem::path root;
  RecordingPrompt prompt;
  std::vector<std::string> entries;
  std::vector<LinkPortRequest> requests;
  std::optional<LinkPortChoice> answer;
  std::unique_ptr<CZavoServoApp> app;
};

}  // namespace zavo::test
