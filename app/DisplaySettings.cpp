#include "app/DisplaySettings.h"

#include "params/listing/DisplaySelectionRules.h"

namespace zavo {
namespace {

// Control modes in the order of slots 10-13; Pt has the last slot of the file.
constexpr std::size_t kSlottedControlModes = 4;
constexpr std::size_t kPt = static_cast<std::size_t>(DisplayControlMode::Pt);
static_assert(kDisplaySlotFirstControlMode + kSlottedControlModes == AppSettings::kDisplaySettingCount);
static_assert(kDisplaySlotFirstGroup + kDisplayGroupCount - 1 == kDisplaySlotFirstControlMode);
static_assert(kPt == kSlottedControlModes);

}  // namespace

DisplaySelection displaySelectionFrom(const AppSettings& settings) {
  DisplaySelection s;
  s.mode = static_cast<DisplayMode>(settings.display[kDisplaySlotMode]);
  // Slot 1 holds the first group after "All", which is derived.
  for (std::size_t g = 1; g < kDisplayGroupCount; ++g)
    s.groups[g] = settings.display[kDisplaySlotFirstGroup + g - 1] != 0;
  for (std::size_t m = 0; m < kSlottedControlModes; ++m)
    s.controlModes[m] = settings.display[kDisplaySlotFirstControlMode + m] != 0;
  s.controlModes[kPt] = settings.lastDisplay != 0;
  for (const DefiniteParameter& p : settings.definite) {
    if (s.custom.size() >= kMaxCustomEntries) break;
    s.custom.push_back({p.group, p.number});
  }
  return confirmed(std::move(s));
}

void storeDisplaySelection(const DisplaySelection& selection, AppSettings& settings) {
  settings.display[kDisplaySlotMode] = static_cast<int>(selection.mode);
  for (std::size_t g = 1; g < kDisplayGroupCount; ++g)
    settings.display[kDisplaySlotFirstGroup + g - 1] = selection.groups[g] ? 1 : 0;
  for (std::size_t m = 0; m < kSlottedControlModes; ++m)
    settings.display[kDisplaySlotFirstControlMode + m] = selection.controlModes[m] ? 1 : 0;
  settings.lastDisplay = selection.controlModes[kPt] ? 1 : 0;
  settings.definite.clear();
  for (const CustomEntry& e : selection.custom) {
    if (settings.definite.size() >= kMaxCustomEntries) break;
    settings.definite.push_back({e.group, e.number});
  }
}

}  // namespace zavo
