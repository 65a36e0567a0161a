#pragma once
// Which parameters the Parameter Set editor lists for a display selection, in list order:
//   mode 0 (groups)        every existing parameter of each chosen group, in catalogue order;
//   mode 1 (control modes) every existing parameter whose control-mode mask meets the modes;
//   mode 2 (custom)        the custom list in its stored order.
// A selection with no group (mode 0) or no control mode (mode 1) lists as if all were chosen,
// as the Display Set dialog stores it; an old settings file must not leave the list empty.

#include <cstdint>
#include <vector>

#include "params/catalogue/Catalogue.h"
#include "params/listing/DisplaySelection.h"

namespace zavo {

std::vector<catalogue::Entry> listedParameters(const DisplaySelection& selection, int driveType);

// The control-mode bits (catalogue::kMode...) of the chosen modes.
std::uint32_t controlModeBits(const DisplaySelection& selection);

}  // namespace zavo
