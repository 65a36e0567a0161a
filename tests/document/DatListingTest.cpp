#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "params/document/DatListing.h"

namespace zavo {
namespace {

std::string listingWith(int values, const std::string& extraLine = {}) {
  std::string s = "; Zavo Servo v0.1.151225\n;\n;\n";
  for (int i = 0; i < values; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "\t.DATA.W   H'%04X   ;%04X   \n", (i * 7) & 0xFFFF, i);
    s += line;
  }
  return s + extraLine;
}

TEST(DatListingTest, ExportHasExactLinesAndABlankLineAfterEverySixteenth) {
  std::vector<std::int32_t> image(512);
  image[0] = 0x1234;
  image[1] = -32767;  // an imported word is held sign-extended
  image[15] = 0xABCD;
  const std::string text = formatRamListing(image, 512);
  const std::string expectedStart =
      "; Zavo Servo v0.1.151225\n;\n;\n"
      "\t.DATA.W   H'1234   ;0000   \n"
      "\t.DATA.W   H'8001   ;0001   \n";
  EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(text.find("\t.DATA.W   H'ABCD   ;000F   \n\n\t.DATA.W   H'0000   ;0010   \n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 30), "\t.DATA.W   H'0000   ;01FF   \n\n");
  // 3 header lines, 512 data lines, 32 blank lines
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 512 + 32);
}

TEST(DatListingTest, ExportedListingImportsBackSignExtended) {
  for (int n : {256, 512}) {
    std::vector<std::int32_t> image(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) image[static_cast<std::size_t>(i)] = (i * 257) & 0xFFFF;  // zero-extended, as read
    std::vector<std::int32_t> back;
    ASSERT_EQ(parseRamListing(formatRamListing(image, n), n, back), DatImportStatus::Ok);
    ASSERT_EQ(back.size(), image.size());
    for (int i = 0; i < n; ++i)
      EXPECT_EQ(back[static_cast<std::size_t>(i)], static_cast<std::int16_t>(image[static_cast<std::size_t>(i)])) << i;
  }
}

TEST(DatListingTest, ImportAcceptsOrRefusesByContent) {
  struct Case {
    const char* what;
    std::string text;
    int words;
    DatImportStatus expected;
  };
  std::string crlf = listingWith(512);
  for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2)) crlf.insert(at, "\r");
  const Case cases[] = {
      {"512 values for 512 words", listingWith(512), 512, DatImportStatus::Ok},
      {"511 values for 512 words", listingWith(511), 512, DatImportStatus::WrongCount},
      {"513 values for 512 words", listingWith(513), 512, DatImportStatus::WrongCount},
      {"256 values for 256 words", listingWith(256), 256, DatImportStatus::Ok},
      {"512 values for 256 words", listingWith(512), 256, DatImportStatus::WrongCount},
      {"a value after ';' is a comment", listingWith(512, "; H'1234\n"), 512, DatImportStatus::Ok},
      {"a commented value does not count", listingWith(511, "\t; .DATA.W H'1234\n"), 512, DatImportStatus::WrongCount},
      {"blank and text lines are skipped", listingWith(512, "\n\n  junk without value\n"), 512, DatImportStatus::Ok},
      {"lines ended by CR LF", crlf, 512, DatImportStatus::Ok},
      {"lowercase digits", "; Zavo Servo\nH'abcd\n", 1, DatImportStatus::Ok},
      {"no marker", "; Other Tool v1\n" + listingWith(512).substr(25), 512, DatImportStatus::NoMarker},
      {"marker without ';'", "Zavo Servo v0.1\n" + listingWith(512).substr(25), 512, DatImportStatus::NoMarker},
      {"marker too far past ';'", ";" + std::string(15, ' ') + "Zavo Servo\nH'0001\n", 1, DatImportStatus::NoMarker},
      {"marker just inside the window", ";" + std::string(14, ' ') + "Zavo Servo\nH'0001\n", 1, DatImportStatus::Ok},
      {"empty file", "", 512, DatImportStatus::NoMarker},
      {"value of three digits", "; Zavo Servo\nH'123\n", 1, DatImportStatus::BadValue},
      {"value not hexadecimal", "; Zavo Servo\nH'12G4\n", 1, DatImportStatus::BadValue},
      {"value cut by end of file", "; Zavo Servo\nH'12", 1, DatImportStatus::BadValue},
  };
  for (const auto& c : cases) {
    std::vector<std::int32_t> words{42};
    EXPECT_EQ(parseRamListing(c.text, c.words, words), c.expected) << c.what;
    if (c.expected == DatImportStatus::Ok)
      EXPECT_EQ(words.size(), static_cast<std::size_t>(c.words)) << c.what;
    else
      EXPECT_EQ(words, std::vector<std::int32_t>{42}) << c.what << ": a refused listing changes nothing";
  }
}

TEST(DatListingTest, ValuesLandInOrder) {
  std::vector<std::int32_t> words;
  ASSERT_EQ(parseRamListing("; Zavo Servo\nH'0001 ;x\n\n;H'9999\nH'FFFF\nH'7FFF\n", 3, words), DatImportStatus::Ok);
  EXPECT_EQ(words, (std::vector<std::int32_t>{1, -1, 0x7FFF}));
}

TEST(DatListingTest, ExtensionIsCheckedWithoutRegardToCase) {
  EXPECT_TRUE(hasExtension("/tmp/a.dat", "DAT"));
  EXPECT_TRUE(hasExtension("/tmp/a.DaT", "DAT"));
  EXPECT_TRUE(hasExtension("b.dat", "DAT"));
  EXPECT_FALSE(hasExtension("/tmp/a.data", "DAT"));
  EXPECT_FALSE(hasExtension("/tmp/adat", "DAT"));
  EXPECT_FALSE(hasExtension("/tmp/x.dat/file", "DAT"));
  EXPECT_FALSE(hasExtension("/tmp/a.tec", "DAT"));
}

TEST(DatListingTest, FileImportChecksExtensionAndSize) {
  const auto dir = std::filesystem::temp_directory_path() / ("dat-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  auto write = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  };
  std::vector<std::int32_t> words;
  EXPECT_EQ(readRamListingFile(write("good.DAT", listingWith(256)), 256, words), DatImportStatus::Ok);
  EXPECT_EQ(words.size(), 256u);
  EXPECT_EQ(readRamListingFile(write("good.txt", listingWith(256)), 256, words), DatImportStatus::WrongExtension);
  EXPECT_EQ(readRamListingFile((dir / "missing.dat").string(), 256, words), DatImportStatus::CannotOpen);
  EXPECT_EQ(readRamListingFile(write("huge.dat", listingWith(256) + std::string(kDatMaxFileBytes, ';')), 256, words),
            DatImportStatus::TooLarge);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zavo
