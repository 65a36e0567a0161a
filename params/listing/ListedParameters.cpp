#include "params/listing/ListedParameters.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <utility>

#include "params/listing/CustomEntryCode.h"

namespace zavo {
namespace {

// The seven group boxes that "All Parameters" stands for.
constexpr DisplayGroup kAllStandsFor[] = {DisplayGroup::Cn, DisplayGroup::Tn, DisplayGroup::qn, DisplayGroup::Sn,
                                          DisplayGroup::Pn, DisplayGroup::Hn, DisplayGroup::Cia402};

DisplayGroup displayGroupOf(ParamGroup g) {
  switch (g) {
    case ParamGroup::Cn: return DisplayGroup::Cn;
    case ParamGroup::Tn: return DisplayGroup::Tn;
    case ParamGroup::Sn: return DisplayGroup::Sn;
    case ParamGroup::Pn3:
    case ParamGroup::Pn4: return DisplayGroup::Pn;
    case ParamGroup::qn: return DisplayGroup::qn;
    case ParamGroup::Hn: return DisplayGroup::Hn;
    case ParamGroup::tn: return DisplayGroup::tn;
    case ParamGroup::ECA: return DisplayGroup::ECA;
    default: return DisplayGroup::Cia402;  // the extended On groups
  }
}

std::array<bool, kDisplayGroupCount> chosenGroups(const DisplaySelection& s) {
  std::array<bool, kDisplayGroupCount> chosen = s.groups;
  const auto at = [&chosen](DisplayGroup g) -> bool& { return chosen[static_cast<std::size_t>(g)]; };
  const bool none = std::none_of(chosen.begin(), chosen.end(), [](bool b) { return b; });
  if (none || at(DisplayGroup::All))
    for (DisplayGroup g : kAllStandsFor) at(g) = true;
  return chosen;
}

std::vector<catalogue::Entry> byGroups(const DisplaySelection& s, int driveType) {
  const auto chosen = chosenGroups(s);
  std::vector<catalogue::Entry> out;
  for (const auto& e : catalogue::parameters(driveType))
    if (chosen[static_cast<std::size_t>(displayGroupOf(e.group))]) out.push_back(e);
  return out;
}

std::vector<catalogue::Entry> byControlModes(const DisplaySelection& s, int driveType) {
  const std::uint32_t modes = controlModeBits(s);
  std::vector<catalogue::Entry> out;
  for (const auto& e : catalogue::parameters(driveType))
    if (catalogue::controlModeMask(e.code, driveType) & modes) out.push_back(e);
  return out;
}

std::vector<catalogue::Entry> byCustomList(const DisplaySelection& s, int driveType) {
  std::unordered_map<std::string, const catalogue::Entry*> byCode;
  for (const auto& e : catalogue::parameters(driveType)) byCode.emplace(e.code, &e);
  std::vector<catalogue::Entry> out;
  const std::size_t count = std::min(s.custom.size(), kMaxCustomEntries);
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    // A list kept from another drive type may name a parameter this one lacks: it is skipped.
    const auto code = codeOfCustomEntry(s.custom[i], driveType);
    const auto it = code ? byCode.find(*code) : byCode.end();
    if (it != byCode.end()) out.push_back(*it->second);
  }
  return out;
}

}  // namespace

std::uint32_t controlModeBits(const DisplaySelection& s) {
  constexpr std::pair<DisplayControlMode, std::uint32_t> kBits[] = {
      {DisplayControlMode::Torque, catalogue::kModeTorque},
      {DisplayControlMode::Speed, catalogue::kModeSpeed},
      {DisplayControlMode::PositionInternal, catalogue::kModeInternalPosition},
      {DisplayControlMode::PositionExternal, catalogue::kModeExternalPulse},
      {DisplayControlMode::Pt, catalogue::kModePt}};
  std::uint32_t bits = 0;
  for (const auto& [mode, bit] : kBits)
    if (s.controlMode(mode)) bits |= bit;
  return bits ? bits : catalogue::kModeAll;
}

std::vector<catalogue::Entry> listedParameters(const DisplaySelection& selection, int driveType) {
  switch (selection.mode) {
    case DisplayMode::ControlMode: return byControlModes(selection, driveType);
    case DisplayMode::Custom: return byCustomList(selection, driveType);
    case DisplayMode::SelectGroups: break;
  }
  return byGroups(selection, driveType);
}

}  // namespace zavo
