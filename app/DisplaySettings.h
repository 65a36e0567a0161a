#pragma once
// The display selection and custom list as ZavoServo.ini keeps them: the custom list in the
// "[Definite Parameter]" section as (group code, number) pairs, the rest in the fourteen
// numbers of the first "[Display Setting]" section and the one number of the last.
//
// Slot layout (0 = unchecked, 1 = checked):
//   display[0]       display mode (0 groups, 1 control mode, 2 custom)
//   display[1..9]    group boxes Cn, Tn, qn, Sn, Pn, Hn, Cia402, tn, ECA
//   display[10..13]  control modes Torque, Speed, Position (internal), Position (external)
//   lastDisplay      control mode Pt
// "All Parameters" is not stored: it is always the AND of its seven boxes.

#include "app/AppSettings.h"
#include "params/listing/DisplaySelection.h"

namespace zavo {

inline constexpr int kDisplaySlotMode = 0;
inline constexpr int kDisplaySlotFirstGroup = 1;
inline constexpr int kDisplaySlotFirstControlMode = 10;

// The selection the settings hold, with the Display Set OK rules applied (a fresh file of
// zeros chooses every group rather than none).
DisplaySelection displaySelectionFrom(const AppSettings& settings);
// Writes `selection` into the settings' display slots and definite list.
void storeDisplaySelection(const DisplaySelection& selection, AppSettings& settings);

}  // namespace zavo
