#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "params/document/ArchiveWriter.h"
#include "params/document/HeaderProbe.h"

namespace zavo {
namespace {

namespace fs = std::filesystem;

std::string header(const std::string& version, std::int32_t type) {
  ArchiveWriter w;
  w.writeString(version);
  w.writeInt32(type);
  return w.bytes();
}

class HeaderProbeTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("probe-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "tmp");
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return (dir_ / name).string();
  }
  std::string tempDir() const { return (dir_ / "tmp").string(); }
  fs::path dir_;
};

TEST_F(HeaderProbeTest, OutcomeByWhatCanBeOpenedAndRead) {
  using O = HeaderProbe::Outcome;
  EXPECT_EQ(probeHeader((dir_ / "none.tec").string(), tempDir()).outcome, O::NoFile);
  EXPECT_EQ(probeHeader(write("short.tec", "\x05" "ab"), tempDir()).outcome, O::Unreadable);
  const HeaderProbe p = probeHeader(write("good.tec", header("V.161012", 3) + "rest"), tempDir());
  EXPECT_EQ(p.outcome, O::Read);
  EXPECT_EQ(p.versionText, "V.161012");
  EXPECT_EQ(p.driveType, 3);

  // The fallback is read only when the file itself cannot be opened.
  write("tmp/sm7comfile.ini", header("V.161013", 4));
  EXPECT_EQ(probeHeader((dir_ / "none.tec").string(), tempDir()).driveType, 4);
  EXPECT_EQ(probeHeader((dir_ / "good.tec").string(), tempDir()).driveType, 3);
}

TEST_F(HeaderProbeTest, OpenAllowedForTheSameTypeUpToThisVersion) {
  struct Case {
    std::string version;
    std::int32_t fileType;
    int currentType;
    bool allowed;
  };
  const Case cases[] = {
      {"M7 Servo Ver:0.1.161013", 2, 2, true},   {"M7 Servo Ver:0.1.161014", 2, 2, false},
      {"M7 Servo Ver:0.1.150101", 2, 2, true},   {"M7 Servo Ver:0.1.161013", 3, 2, false},
      {"M7 Servo Ver:0.1.161013", 4, 4, true},   {"M7 Servo Ver:0.1.161013", 0, 1, false},
  };
  for (const auto& c : cases) {
    HeaderProbe p;
    p.outcome = HeaderProbe::Outcome::Read;
    p.versionText = c.version;
    p.driveType = c.fileType;
    EXPECT_EQ(headerAllowsOpen(p, c.currentType), c.allowed) << c.version << " " << c.fileType << " on " << c.currentType;
  }
  // Nothing read, nothing to refuse: the open itself reports the file.
  EXPECT_TRUE(headerAllowsOpen(HeaderProbe{}, 2));
}

TEST_F(HeaderProbeTest, TemporaryDirectoryFromTheEnvironment) {
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  ::setenv("TMPDIR", "/var/tmp/x", 1);
  EXPECT_EQ(temporaryDirectory(), "/var/tmp/x");
  ::unsetenv("TMPDIR");
  EXPECT_EQ(temporaryDirectory(), "/tmp");
  if (old) ::setenv("TMPDIR", saved.c_str(), 1);
}

}  // namespace
}  // namespace zavo
