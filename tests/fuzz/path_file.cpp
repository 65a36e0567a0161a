// The path-file reader on arbitrary text: bounded, and whatever it accepts, written back out,
// reads back as the same table.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "planning/PathFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zavo::planning;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  PathFile file;
  PathFileProblem problem;
  if (!parsePathFile(text, file, problem)) return 0;
  for (const int type : {0, 2}) {
    for (const bool clamp : {false, true}) {
      PositionTable table;
      table.paths.resize(static_cast<std::size_t>(pathCount(type)));
      const auto ranges = PositionRanges::of(type, 3000);
      if (!applyPathFile(file, table, ranges, clamp, type, problem)) continue;
      PathFile again;
      PositionTable back;
      back.paths.resize(table.paths.size());
      if (!parsePathFile(formatPathFile(table, type), again, problem) ||
          !applyPathFile(again, back, ranges, false, type, problem) || !(back == table))
        std::abort();
    }
  }
  return 0;
}
