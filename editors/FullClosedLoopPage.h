#pragma once
// The full-closed-loop page without its window: five rows (the two fields of Pn346, then
// Pn347, Pn348 and Pn349), each with the value the drive holds now and the value to set, and
// one Write per row. The values to set start from what the drive holds, so a row written
// untouched writes back what is there.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editors/EntryCheck.h"

namespace zavo {

class DriveOperations;

struct FullClosedLoopRowSpec {
  const char* name;  // "Pn346.0", "Pn346.1", "Pn347", "Pn348", "Pn349"
  int presentControl;
  int setControl;
  int writeControl;
  EntryRange range;
};

inline constexpr int kIddFullClosedLoop = 6009;
inline constexpr int kFullClosedLoopRows = 5;
inline constexpr int kFullClosedLoopTimerId = 1;
inline constexpr int kFullClosedLoopTimerMs = 1000;

class FullClosedLoopPage {
 public:
  enum class Outcome { Written, NoLink, Failed };

  explicit FullClosedLoopPage(DriveOperations& ops);

  static std::span<const FullClosedLoopRowSpec> specs();
  static int rowOf(std::string_view name);

  // The present values from the drive (a timer tick does the same). False when a read failed;
  // the values read before it stand.
  bool readPresent();
  // The present values read at opening become the values to set, their texts the fields'.
  void startFromPresent();
  // The present value of a row; nothing until it was read.
  std::optional<std::int32_t> present(int r) const { return present_[static_cast<std::size_t>(r)]; }
  std::int32_t accepted(int r) const { return accepted_[static_cast<std::size_t>(r)]; }

  // The entry check of a set-value field: false when the text is refused.
  bool type(int r, std::string_view text);
  // Writes row `r`: Pn346 composed from its two fields, the others as they stand. Success is
  // said in its box; a failure has the operation's own box.
  Outcome write(int r);

 private:
  DriveOperations& ops_;
  std::array<std::optional<std::int32_t>, kFullClosedLoopRows> present_{};
  std::array<std::int32_t, kFullClosedLoopRows> accepted_{};
};

}  // namespace zavo
