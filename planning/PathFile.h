#pragma once
// The path file: the position table as text, for keeping and editing outside the program.
//
//   # a comment; blank lines are ignored too
//   coordinate,0            digit 0 of Pn316: 0 absolute, 1 relative
//   phold,1                 digit 1 of Pn316
//   smoothing,200           Pn313, ms
//   path,rotation,pulse,speed
//   1,10,-2500,1500
//
// Export writes every line and every path; an import may give any of them, and changes only
// what it gives. Reading is bounded: a file is a few kilobytes, its lines short.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "planning/PositionTable.h"

namespace zavo::planning {

struct PathFileValue {
  int line = 0;
  std::int64_t value = 0;
};

struct PathFileRow {
  int line = 0;
  std::int64_t path = 0;  // 1-based
  std::int64_t rotation = 0, pulse = 0, speed = 0;
};

struct PathFile {
  std::optional<PathFileValue> coordinate, phold, smoothing;
  std::vector<PathFileRow> paths;
};

// What is wrong with a file, and on which line (0: the file as a whole).
struct PathFileProblem {
  int line = 0;
  std::string message;
};

inline constexpr std::size_t kPathFileMaxBytes = 64 * 1024;

// False with `problem` set when the text is no path file.
bool parsePathFile(std::string_view text, PathFile& out, PathFileProblem& problem);
// Every line of the table.
std::string formatPathFile(const PositionTable& table, int driveType);

// Puts what the file gives into `table`, checked against the ranges of the drive type. With
// `clamp` the path values and (on the older types) the time constant are held to their
// ranges as the dialogs' OK does; on the M7 family a time constant outside 0-10000 is refused
// all the same. False with `problem` set, `table` then partly changed.
bool applyPathFile(const PathFile& file, PositionTable& table, const PositionRanges& ranges, bool clamp,
                   int driveType, PathFileProblem& problem);

}  // namespace zavo::planning
