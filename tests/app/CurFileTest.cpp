// curfile.ini: the launcher's hand-over, read once and removed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/CurFile.h"

namespace zavo {
namespace {

namespace fs = std::filesystem;

TEST(CurFileTest, ReadsAndRemovesTheHandOver) {
  struct Case {
    const char* content;
    std::optional<int> type;
    std::optional<std::string> file;
  };
  const Case cases[] = {
      {"3\n", 3, std::nullopt},
      {"0\n/home/u/a.tec\n", 0, "/home/u/a.tec"},
      {"99\n", std::nullopt, std::nullopt},
      {"10\n", std::nullopt, std::nullopt},
      {"2\r\nC:/x.tec\r\n", 2, "C:/x.tec"},
      {"1\n\n", 1, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  const fs::path dir = fs::temp_directory_path() / "zavo_curfile_test";
  fs::create_directories(dir);
  const std::string path = CurFile::pathIn(dir.string());
  EXPECT_EQ(path, (dir / "curfile.ini").string());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    std::ofstream(path) << c.content;
    const CurFile cf = CurFile::takeFrom(path);
    EXPECT_TRUE(cf.present);
    EXPECT_EQ(cf.driveType(), c.type);
    EXPECT_EQ(cf.parameterFile, c.file);
    EXPECT_FALSE(fs::exists(path)) << "read once, then gone";
  }
  EXPECT_FALSE(CurFile::takeFrom(path).present);
  fs::remove_all(dir);
}

TEST(CurFileTest, LauncherWritesCodeAndLineBreak) {
  const fs::path path = fs::temp_directory_path() / "zavo_curfile_write.ini";
  ASSERT_TRUE(CurFile::write(path.string(), "10"));
  std::ifstream in(path);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, "10\n");
  fs::remove(path);
  EXPECT_FALSE(CurFile::write("/nonexistent-folder/curfile.ini", "3"));
}

}  // namespace
}  // namespace zavo
