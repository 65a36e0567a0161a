#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "params/document/OnpFile.h"

namespace zavo {
namespace {

const OnlineSlotCodes kCodes{"Cn001", "Sn201", "Pn301", "", "Tn101", "qn501", "Hn601", "ECA01"};

std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class OnpFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("onp-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(OnpFileTest, NineLinesEachEndedByLineFeed) {
  EXPECT_EQ(formatOnp(kCodes), "M7 Online Parameter v0001\nCn001\nSn201\nPn301\n\nTn101\nqn501\nHn601\nECA01\n");
}

TEST_F(OnpFileTest, ParsingReplacesEntriesInOrderAndShortFilesKeepTheRest) {
  struct Case {
    const char* what;
    std::string text;
    OnlineSlotCodes expected;
  };
  const OnlineSlotCodes before{"a", "b", "c", "d", "e", "f", "g", "h"};
  const Case cases[] = {
      {"whole file", formatOnp(kCodes), kCodes},
      {"title is not checked", "anything\nCn002\n", {"Cn002", "b", "c", "d", "e", "f", "g", "h"}},
      {"short file", "M7 Online Parameter v0001\nCn002\nCn003", {"Cn002", "Cn003", "c", "d", "e", "f", "g", "h"}},
      {"empty line empties a slot", "t\n\nCn003\n", {"", "Cn003", "c", "d", "e", "f", "g", "h"}},
      {"CR LF endings", "t\r\nCn002\r\nCn003\r\n", {"Cn002", "Cn003", "c", "d", "e", "f", "g", "h"}},
      {"title only", "M7 Online Parameter v0001\n", before},
      {"empty file", "", before},
      {"lines beyond the ninth are ignored", formatOnp(kCodes) + "Cn009\nCn010\n", kCodes},
  };
  for (const auto& c : cases) {
    OnlineSlotCodes codes = before;
    parseOnp(c.text, codes);
    EXPECT_EQ(codes, c.expected) << c.what;
  }
}

TEST_F(OnpFileTest, PathRule) {
  EXPECT_TRUE(isOnpPath("a.onp"));
  EXPECT_TRUE(isOnpPath("/x/SET.OnP"));
  EXPECT_TRUE(isOnpPath("onp"));  // the rule is on the last three characters only
  EXPECT_FALSE(isOnpPath("np"));
  EXPECT_FALSE(isOnpPath("a.onx"));
  EXPECT_FALSE(isOnpPath("a.onp.txt"));
}

TEST_F(OnpFileTest, WriteThenReadRoundTrips) {
  const auto path = (dir_ / "slots.onp").string();
  ASSERT_TRUE(writeOnpFile(path, kCodes).ok);
  EXPECT_EQ(slurp(path), formatOnp(kCodes));
  OnlineSlotCodes back;
  ASSERT_TRUE(readOnpFile(path, back));
  EXPECT_EQ(back, kCodes);
}

TEST_F(OnpFileTest, OtherExtensionsAreNeitherWrittenNorRead) {
  const auto txt = dir_ / "slots.txt";
  EXPECT_FALSE(writeOnpFile(txt.string(), kCodes).ok);
  EXPECT_FALSE(std::filesystem::exists(txt));

  std::ofstream(txt) << formatOnp(kCodes);
  OnlineSlotCodes codes{"x"};
  EXPECT_FALSE(readOnpFile(txt.string(), codes));
  EXPECT_EQ(codes, (OnlineSlotCodes{"x"}));
  EXPECT_FALSE(readOnpFile((dir_ / "missing.onp").string(), codes));
  EXPECT_EQ(codes, (OnlineSlotCodes{"x"}));
}

}  // namespace
}  // namespace zavo
