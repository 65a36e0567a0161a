#include "params/listing/DisplaySelectionRules.h"

#include <algorithm>

namespace zavo {
namespace {

std::size_t at(DisplayGroup g) { return static_cast<std::size_t>(g); }

}  // namespace

bool coveredByAll(DisplayGroup g) { return std::find(std::begin(kGroupsOfAll), std::end(kGroupsOfAll), g) != std::end(kGroupsOfAll); }

bool allOfSeven(const DisplaySelection& s) {
  return std::all_of(std::begin(kGroupsOfAll), std::end(kGroupsOfAll), [&s](DisplayGroup g) { return s.group(g); });
}

void chooseAll(DisplaySelection& s) { setGroup(s, DisplayGroup::All, true); }

void setGroup(DisplaySelection& s, DisplayGroup g, bool on) {
  if (g == DisplayGroup::All) {
    // Unchecking clears the seven as well: "All Parameters" always shows their AND, so it
    // cannot read unchecked over seven checked boxes.
    for (DisplayGroup each : kGroupsOfAll) s.groups[at(each)] = on;
    s.groups[at(DisplayGroup::All)] = on;
    return;
  }
  s.groups[at(g)] = on;
  s.groups[at(DisplayGroup::All)] = allOfSeven(s);
}

DisplaySelection confirmed(DisplaySelection s) {
  const int mode = static_cast<int>(s.mode);
  if (mode < 0 || mode > static_cast<int>(DisplayMode::Custom)) s.mode = DisplayMode::SelectGroups;
  s.groups[at(DisplayGroup::All)] = allOfSeven(s);
  if (s.mode == DisplayMode::SelectGroups && std::none_of(s.groups.begin(), s.groups.end(), [](bool b) { return b; }))
    s.groups.fill(true);
  if (s.mode == DisplayMode::ControlMode &&
      std::none_of(s.controlModes.begin(), s.controlModes.end(), [](bool b) { return b; }))
    s.controlModes.fill(true);
  s.groups[at(DisplayGroup::All)] = allOfSeven(s);
  return s;
}

}  // namespace zavo
