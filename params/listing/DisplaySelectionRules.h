#pragma once
// The rules of the Display Set dialog that do not depend on widgets: which boxes "All
// Parameters" stands for, and what OK makes of a selection that chose nothing.

#include "params/listing/DisplaySelection.h"

namespace zavo {

// The seven group boxes that "All Parameters" checks and whose logical AND it shows (Cn, Tn,
// qn, Sn, Pn, Hn and Cia402; tn and ECA stand apart).
inline constexpr DisplayGroup kGroupsOfAll[] = {DisplayGroup::Cn, DisplayGroup::Tn, DisplayGroup::qn,
                                                DisplayGroup::Sn, DisplayGroup::Pn, DisplayGroup::Hn,
                                                DisplayGroup::Cia402};

bool coveredByAll(DisplayGroup g);
// "All Parameters" recomputed from the seven boxes.
bool allOfSeven(const DisplaySelection& s);
// Checks "All Parameters" and the seven boxes it stands for.
void chooseAll(DisplaySelection& s);
// Sets group `g` and keeps "All Parameters" in step; setting "All Parameters" itself sets or
// clears the seven boxes.
void setGroup(DisplaySelection& s, DisplayGroup g, bool on);

// What OK stores: in mode 0 with no group box checked every group is checked, in mode 1 with
// no control mode checked all five are; "All Parameters" follows the seven boxes. A mode
// outside 0-2 (a damaged settings file) becomes mode 0. The custom list is left as it is.
DisplaySelection confirmed(DisplaySelection s);

}  // namespace zavo
