#include <gtest/gtest.h>

#include <string>

#include "params/document/ArchiveReader.h"
#include "params/document/ArchiveWriter.h"

namespace zavo {
namespace {

std::string bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s.push_back(static_cast<char>(b));
  return s;
}

TEST(ArchiveTest, IntegersAreLittleEndianAndSigned) {
  ArchiveWriter w;
  w.writeInt32(0x12345678);
  w.writeInt32(-2);
  EXPECT_EQ(w.bytes(), bytes({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF}));
  ArchiveReader r(w.bytes());
  std::int32_t a = 0, b = 0, c = 0;
  EXPECT_TRUE(r.readInt32(a));
  EXPECT_TRUE(r.readInt32(b));
  EXPECT_FALSE(r.readInt32(c));
  EXPECT_EQ(a, 0x12345678);
  EXPECT_EQ(b, -2);
  EXPECT_TRUE(r.atEnd());
}

// Each length class of the string prefix, at and around its boundaries.
TEST(ArchiveTest, StringLengthPrefixesRoundTrip) {
  struct Case {
    std::size_t length;
    std::string prefix;
  };
  const Case cases[] = {
      {0, bytes({0x00})},
      {23, bytes({0x17})},
      {254, bytes({0xFE})},
      {255, bytes({0xFF, 0xFF, 0x00})},
      {0xFFFD, bytes({0xFF, 0xFD, 0xFF})},
      {0xFFFE, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
      {0x10000, bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string text(c.length, 'v');
    ArchiveWriter w;
    w.writeString(text);
    ASSERT_EQ(w.bytes().size(), c.prefix.size() + c.length);
    EXPECT_EQ(w.bytes().substr(0, c.prefix.size()), c.prefix);
    ArchiveReader r(w.bytes());
    std::string back;
    ASSERT_TRUE(r.readString(back));
    EXPECT_EQ(back, text);
    EXPECT_TRUE(r.atEnd());
  }
}

TEST(ArchiveTest, MalformedStringsAreRefused) {
  const std::string cases[] = {
      {},                                              // nothing at all
      bytes({0x05, 'a', 'b'}),                         // shorter than its length
      bytes({0xFF, 0x10}),                             // escape without its 16-bit length
      bytes({0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00}),      // wide-string marker
      bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),  // 64-bit length marker
      bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),  // a 2 GB claim in a 7-byte file
      bytes({0xFF, 0xFF, 0xFF, 0x00}),                 // 32-bit length cut short
  };
  for (const auto& c : cases) {
    ArchiveReader r(c);
    std::string out = "kept";
    EXPECT_FALSE(r.readString(out)) << testing::PrintToString(c);
  }
}

}  // namespace
}  // namespace zavo
