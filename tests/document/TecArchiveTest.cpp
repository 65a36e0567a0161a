#include <gtest/gtest.h>

#include <random>
#include <string>

#include "params/document/ArchiveWriter.h"
#include "params/document/TecArchive.h"

namespace zavo {
namespace {

constexpr std::size_t kHeaderInts = 1 + 49 + 20 + 1 + 20;  // drive type, monitor, diagnostics, status, alarms
constexpr std::size_t kShortValueInts = 80 + 20 + 20 + 75 + 20 + 20 + 100 + 15 + 5 + 1 + 3 + 9 + 1 + 4 + 3 + 3 + 1;
constexpr std::size_t kLongValueInts = 98 + 20 + 20 + 75 + 20 + 20 + 100 + 22;
const std::string kVersion = "M7 Servo Ver:0.1.161013";

// A file whose every slot holds a distinct value, so a slot read into the wrong place shows.
TecFile sampleFile(int driveType, unsigned seed = 1) {
  std::mt19937 rng(seed);
  TecFile f;
  f.versionText = kVersion;
  f.driveType = driveType;
  for (auto& v : f.monitor) v = static_cast<std::int32_t>(rng());
  for (auto& v : f.diagnostics) v = static_cast<std::int32_t>(rng());
  f.statusWord = static_cast<std::int32_t>(rng());
  for (auto& v : f.alarmHistory) v = static_cast<std::int32_t>(rng());
  for (std::size_t g = 0; g < kParamGroupCount; ++g)
    for (int n = 1; n <= kGroupSlots[g]; ++n)
      if (f.holds(static_cast<ParamGroup>(g), n)) f.values[g][static_cast<std::size_t>(n)] = static_cast<std::int32_t>(rng());
  return f;
}

void expectSame(const TecFile& a, const TecFile& b) {
  EXPECT_EQ(a.versionText, b.versionText);
  EXPECT_EQ(a.driveType, b.driveType);
  EXPECT_EQ(a.monitor, b.monitor);
  EXPECT_EQ(a.diagnostics, b.diagnostics);
  EXPECT_EQ(a.statusWord, b.statusWord);
  EXPECT_EQ(a.alarmHistory, b.alarmHistory);
  EXPECT_EQ(a.values, b.values);
}

std::int32_t intAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}

TEST(TecArchiveTest, EveryDriveTypeRoundTripsByteForByte) {
  for (int type = 0; type <= 4; ++type) {
    SCOPED_TRACE(type);
    const TecFile f = sampleFile(type, static_cast<unsigned>(type) + 10);
    const std::string bytes = formatTec(f);
    const std::size_t values = type == 4 ? kLongValueInts : kShortValueInts;
    EXPECT_EQ(bytes.size(), 1 + kVersion.size() + 4 * (kHeaderInts + values));
    TecFile back;
    ASSERT_EQ(parseTec(bytes, back), TecReadStatus::Ok);
    expectSame(back, f);
    EXPECT_EQ(back.lastItem, kTecLastItem);
    EXPECT_EQ(formatTec(back), bytes);
  }
}

// The pieces of the short layout sit where older readers expect them.
TEST(TecArchiveTest, ShortLayoutPlacesPiecesInItemOrder) {
  TecFile f = sampleFile(2);
  const std::string bytes = formatTec(f);
  const std::size_t values = 1 + kVersion.size() + 4 * kHeaderInts;
  auto value = [&](std::size_t index) { return intAt(bytes, values + 4 * index); };
  EXPECT_EQ(value(0), f[ParamGroup::Cn][1]);
  EXPECT_EQ(value(79), f[ParamGroup::Cn][80]);
  EXPECT_EQ(value(80), f[ParamGroup::Tn][1]);
  EXPECT_EQ(value(80 + 20 + 20), f[ParamGroup::Pn3][1]);
  EXPECT_EQ(value(80 + 20 + 20 + 75 + 20 + 20 + 100), f[ParamGroup::ECA][1]);  // item 14
  EXPECT_EQ(value(80 + 20 + 20 + 75 + 20 + 20 + 100 + 15), f[ParamGroup::Cn][81]);  // item 15
  EXPECT_EQ(value(kShortValueInts - 1), f[ParamGroup::Sn][25]);                     // item 23
  EXPECT_EQ(value(kShortValueInts - 4), f[ParamGroup::ECA][20]);                    // item 22
  EXPECT_EQ(intAt(bytes, 1 + kVersion.size()), 2);
  EXPECT_EQ(intAt(bytes, 1 + kVersion.size() + 4 * 70), f.statusWord);
}

TEST(TecArchiveTest, LongLayoutKeepsGroupsWholeAndHasNoSn221To225) {
  TecFile f = sampleFile(4);
  const std::string bytes = formatTec(f);
  const std::size_t values = 1 + kVersion.size() + 4 * kHeaderInts;
  EXPECT_EQ(intAt(bytes, values + 4 * 97), f[ParamGroup::Cn][98]);
  EXPECT_EQ(intAt(bytes, values + 4 * 98), f[ParamGroup::Tn][1]);
  EXPECT_EQ(intAt(bytes, values + 4 * (kLongValueInts - 1)), f[ParamGroup::ECA][22]);
  EXPECT_FALSE(f.holds(ParamGroup::Sn, 21));
  EXPECT_TRUE(f.holds(ParamGroup::Sn, 20));
}

// A file may end after any optional item; what it holds is exactly the items before.
TEST(TecArchiveTest, ShortFilesEndAfterAnyOptionalItem) {
  const TecFile full = sampleFile(2);
  const std::string bytes = formatTec(full);
  const int itemSizes[] = {15, 5, 1, 3, 9, 1, 4, 3, 3, 1};  // items 14-23
  std::size_t end = bytes.size();
  for (int item = kTecLastItem; item >= kTecLastMandatoryItem; --item) {
    SCOPED_TRACE(item);
    TecFile back;
    ASSERT_EQ(parseTec(bytes.substr(0, end), back), TecReadStatus::Ok);
    EXPECT_EQ(back.lastItem, item);
    EXPECT_EQ(back.holds(ParamGroup::ECA, 1), item >= 14);
    EXPECT_EQ(back.holds(ParamGroup::Cn, 81), item >= 15);
    EXPECT_EQ(back.holds(ParamGroup::Sn, 21), item >= 16);
    EXPECT_EQ(back.holds(ParamGroup::Cn, 90), item >= 18);
    EXPECT_EQ(back.holds(ParamGroup::Sn, 23), item >= 21);
    EXPECT_EQ(back.holds(ParamGroup::Sn, 25), item >= 23);
    EXPECT_TRUE(back.holds(ParamGroup::Pn4, 100));
    EXPECT_EQ(back[ParamGroup::Pn4], full[ParamGroup::Pn4]);
    if (item > kTecLastMandatoryItem) end -= 4 * static_cast<std::size_t>(itemSizes[item - 14]);
  }
}

TEST(TecArchiveTest, TruncationAnywhereElseIsReported) {
  for (int type : {2, 4}) {
    const std::string bytes = formatTec(sampleFile(type));
    const std::size_t mandatoryEnd = type == 4 ? bytes.size() : bytes.size() - 4 * (15 + 5 + 1 + 3 + 9 + 1 + 4 + 3 + 3 + 1);
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{10}, std::size_t{30}, mandatoryEnd - 4,
                            mandatoryEnd - 1, bytes.size() - 1, bytes.size() - 3}) {
      if (cut >= bytes.size() || (type == 2 && cut == mandatoryEnd)) continue;
      TecFile back;
      back.versionText = "untouched";
      const auto status = parseTec(bytes.substr(0, cut), back);
      EXPECT_NE(status, TecReadStatus::Ok) << "type " << type << " cut at " << cut;
      EXPECT_EQ(back.versionText, "untouched");
    }
  }
}

TEST(TecArchiveTest, DriveTypeFieldMustNameADriveType) {
  for (int type : {-1, 5, 0x7FFFFFFF}) {
    TecFile f = sampleFile(2);
    std::string bytes = formatTec(f);
    ArchiveWriter w;
    w.writeInt32(type);
    bytes.replace(1 + kVersion.size(), 4, w.bytes());
    TecFile back;
    EXPECT_EQ(parseTec(bytes, back), TecReadStatus::BadDriveType) << type;
  }
}

TEST(TecArchiveTest, HeaderAloneIsEnoughForTheProbe) {
  ArchiveWriter w;
  w.writeString("M7 Servo Ver:0.1.161014");
  w.writeInt32(3);
  std::string version;
  std::int32_t type = -1;
  ASSERT_EQ(parseTecHeader(w.bytes(), version, type), TecReadStatus::Ok);
  EXPECT_EQ(version, "M7 Servo Ver:0.1.161014");
  EXPECT_EQ(type, 3);
  EXPECT_EQ(parseTecHeader(w.bytes().substr(0, w.bytes().size() - 1), version, type), TecReadStatus::Truncated);
  TecFile whole;
  EXPECT_EQ(parseTec(w.bytes(), whole), TecReadStatus::Truncated);
}

TEST(TecArchiveTest, VersionNumberIsTheIntegerAfterTheLastDot) {
  const std::pair<const char*, int> cases[] = {
      {"M7 Servo Ver:0.1.161013", 161013},
      {"M7 Servo Ver:0.1.161011", 161011},
      {"V1.2.161014 beta", 161014},
      {"1.2.", 0},
      {"no dots 42", 0},
      {"12345", 12345},
      {"x.99999999999999999999", 2147483647},
      {"x.-5", -5},
      {"", 0},
  };
  for (const auto& [text, number] : cases) EXPECT_EQ(versionNumberOf(text), number) << text;
}

}  // namespace
}  // namespace zavo
