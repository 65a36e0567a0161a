#pragma once
// Which parameters the Parameter Set editor lists and the printout shows: by group, by control
// mode, or a custom list. Edited by the Display Set and Add/Remove dialogs, kept in
// ZavoServo.ini between runs.

#include <array>
#include <cstddef>
#include <vector>

namespace zavo {

enum class DisplayMode { SelectGroups = 0, ControlMode = 1, Custom = 2 };

// Group choices of display mode 0, in the order of the Display Set check boxes.
enum class DisplayGroup { All, Cn, Tn, qn, Sn, Pn, Hn, Cia402, tn, ECA };
inline constexpr std::size_t kDisplayGroupCount = 10;

// Control modes of display mode 1.
enum class DisplayControlMode { Torque, Speed, PositionInternal, PositionExternal, Pt };
inline constexpr std::size_t kDisplayControlModeCount = 5;

// One custom-list entry: a group code (1 Cn, 2 Tn, 3 Sn, 4 Pn3xx, 5 qn, 6 Hn, 7 other On,
// 8 Pn4xx, 9 ECA, 10 OnT, 11 OnS, 12 Ond, 13 OnC, 14 OnA, 0 anything else) and the number
// within the group (the two digits after the prefix).
struct CustomEntry {
  int group = 0;
  int number = 0;
  bool operator==(const CustomEntry&) const = default;
};
inline constexpr std::size_t kMaxCustomEntries = 300;

struct DisplaySelection {
  DisplayMode mode = DisplayMode::SelectGroups;
  std::array<bool, kDisplayGroupCount> groups{true, true, true, true, true, true, true, true, false, false};
  std::array<bool, kDisplayControlModeCount> controlModes{true, true, true, true, true};
  std::vector<CustomEntry> custom;

  bool group(DisplayGroup g) const { return groups[static_cast<std::size_t>(g)]; }
  bool controlMode(DisplayControlMode m) const { return controlModes[static_cast<std::size_t>(m)]; }
  bool operator==(const DisplaySelection&) const = default;
};

}  // namespace zavo
