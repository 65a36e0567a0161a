#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "params/document/AtomicFile.h"

namespace zavo {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class AtomicFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("atomic-test-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "params.tec").string();
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  // Nothing but the target may be left in the folder after a save, failed or not.
  std::size_t filesInFolder() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
  std::string path_;
};

TEST_F(AtomicFileTest, CreatesAndReplacesKeepingPermissions) {
  ASSERT_TRUE(saveFileAtomically(path_, "first").ok);
  EXPECT_EQ(slurp(path_), "first");
  ::chmod(path_.c_str(), 0640);
  const SaveResult r = saveFileAtomically(path_, std::string(100000, 'x'));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(slurp(path_), std::string(100000, 'x'));
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(filesInFolder(), 1u);
}

// A write that fails part-way (the file-size limit stands in for a full disk) must leave the
// old file whole and report the failure.
TEST_F(AtomicFileTest, FailedWriteLeavesOldFileIntact) {
  ASSERT_TRUE(saveFileAtomically(path_, "the old parameters").ok);
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const SaveResult r = saveFileAtomically(path_, std::string(10000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("Cannot write"), std::string::npos) << r.error;
  EXPECT_EQ(slurp(path_), "the old parameters");
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicFileTest, SavingThroughALinkReplacesItsTarget) {
  ASSERT_TRUE(saveFileAtomically(path_, "old").ok);
  const auto link = dir_ / "link.tec";
  fs::create_symlink(path_, link);
  ASSERT_TRUE(saveFileAtomically(link.string(), "new").ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(slurp(path_), "new");
}

TEST_F(AtomicFileTest, ImpossibleTargetsAreReported) {
  fs::create_directories(dir_ / "sub.tec");
  const std::string cases[] = {"", (dir_ / "missing" / "a.tec").string(), (dir_ / "sub.tec").string()};
  for (const auto& target : cases) {
    const SaveResult r = saveFileAtomically(target, "data");
    EXPECT_FALSE(r.ok) << target;
    EXPECT_FALSE(r.error.empty()) << target;
  }
  EXPECT_EQ(filesInFolder(), 1u);  // only sub.tec
}

TEST_F(AtomicFileTest, ReadOnlyFolderIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  ASSERT_TRUE(saveFileAtomically(path_, "old").ok);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(saveFileAtomically(path_, "new").ok);
  EXPECT_EQ(slurp(path_), "old");
}

}  // namespace
}  // namespace zavo
