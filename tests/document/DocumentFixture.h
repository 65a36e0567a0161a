#pragma once
// A scratch folder, the process-wide drive context put back after each test, and a recording
// prompt for the messages a document shows.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "params/document/DocumentHost.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/ZavoServoDoc.h"
#include "tests/support/RecordingPrompt.h"

namespace zavo::test {

class RecordingHost final : public DocumentHost {
 public:
  void foreignFileOpened(int driveType) override { foreignTypes.push_back(driveType); }
  std::optional<std::string> askSavePath() override {
    ++pathQuestions;
    return savePath;
  }
  std::vector<int> foreignTypes;
  std::optional<std::string> savePath;
  int pathQuestions = 0;
};

class DocumentFixture : public testing::Test {
 protected:
  void SetUp() override {
    savedContext_ = driveContext();
    driveContext().reset(2);
    dir_ = std::filesystem::temp_directory_path() /
           ("doc-test-" + std::to_string(::getpid()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    driveContext() = savedContext_;
    std::filesystem::remove_all(dir_);
  }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  static std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void spit(const std::string& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

  // A new document with the drive type set.
  static void startNew(CZavoServoDoc& doc, int driveType) {
    driveContext().reset(driveType);
    doc.rebuildForDriveType();
    doc.OnNewDocument();
  }

  RecordingPrompt prompt_;
  std::filesystem::path dir_;

 private:
  DriveContext savedContext_;
};

}  // namespace zavo::test
