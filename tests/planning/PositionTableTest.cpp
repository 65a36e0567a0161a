// The position table and the path file by themselves: items, the mode word's digits, the
// ranges by drive type, and the file's reading, checking and clamping with its line numbers.

#include <gtest/gtest.h>

#include "planning/PathFile.h"
#include "planning/PositionTable.h"

namespace zavo::planning {
namespace {

TEST(PositionTable, ItemsAndTheModeDigits) {
  std::vector<std::int32_t> items(98);
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = static_cast<std::int32_t>(i * 7);
  items[0] = 0x1101;  // digits 2 and 3 set, as a type 2-4 drive may hold them
  PositionTable t = PositionTable::fromItems(items, 32);
  EXPECT_EQ(t.paths[0], (PositionPath{14, 21, 28})) << "path 1 is items 2, 3, 4";
  EXPECT_EQ(t.items(), items);
  EXPECT_EQ(t.coordinate(), 1);
  t.setPhold(1);
  EXPECT_EQ(t.mode, 0x1111) << "the digits beyond the two radios stay as read";
}

PositionTable blank(int paths) {
  PositionTable t;
  t.paths.resize(static_cast<std::size_t>(paths));
  return t;
}

TEST(PathFile, RefusalsNameTheirLineAndClampingFollowsTheDialogs) {
  struct Case {
    const char* text;
    int type;
    bool clamp;
    int line;  // 0: accepted
    const char* message;
  } cases[] = {
      {"# only a comment\n\n", 2, false, 0, ""},
      {"2,1,2,3\r\n", 2, false, 0, ""},
      {"\n\nbogus,1\n", 2, false, 3, "unknown line 'bogus'"},
      {"coordinate,2\n", 2, false, 1, "coordinate is 0 or 1"},
      {"phold,1\nphold,0\n", 2, false, 2, "phold is given twice"},
      {"1,0,0\n", 2, false, 1, "a path line is path,rotation,pulse,speed"},
      {"1,0,0,x\n", 2, false, 1, "'x' is not a whole number"},
      {"17,0,0,0\n", 0, false, 1, "path 17 is not one of 1-16"},
      {"1,0,0,0\n1,0,0,0\n", 2, false, 2, "path 1 is given twice"},
      {"path,rotation,pulse,speed\n1,0,0,7000\n", 2, false, 2, "path 1 speed 7000 is out of range (0 to 6000)"},
      {"1,30001,0,0\n", 0, false, 1, "path 1 rotation 30001 is out of range (-30000 to 30000)"},
      {"1,30001,-40000,7000\n", 0, true, 0, ""},
      {"smoothing,10001\n", 0, false, 1, "smoothing 10001 is out of range (0 to 10000)"},
      {"smoothing,10001\n", 0, true, 0, ""},
      {"smoothing,10001\n", 2, true, 1,
       "Internal / External Position Command One time Smoothing Acceleration / Deceleration Time Constant Over "
       "Range!!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    PathFile file;
    PathFileProblem problem;
    PositionTable t = blank(c.type < 2 ? 16 : 32);
    const bool ok = parsePathFile(c.text, file, problem) &&
                    applyPathFile(file, t, PositionRanges::of(c.type, 3000), c.clamp, c.type, problem);
    EXPECT_EQ(ok ? 0 : problem.line, c.line);
    EXPECT_EQ(ok ? "" : problem.message, c.message);
  }
  // What clamping made of the older type's out-of-range values.
  PathFile file;
  PathFileProblem problem;
  PositionTable t = blank(16);
  ASSERT_TRUE(parsePathFile("1,30001,-40000,7000\nsmoothing,10001\n", file, problem));
  ASSERT_TRUE(applyPathFile(file, t, PositionRanges::of(0, 3000), true, 0, problem));
  EXPECT_EQ(t.paths[0], (PositionPath{30000, -32767, 3000}));
  EXPECT_EQ(t.smoothing, 10000);
  EXPECT_EQ(t.paths[1], PositionPath{}) << "what the file leaves out stays";
}

}  // namespace
}  // namespace zavo::planning
