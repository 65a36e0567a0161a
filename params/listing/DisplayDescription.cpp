#include "params/listing/DisplayDescription.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo {
namespace {

// The words the description is made of; an English fallback keeps the line readable while
// the active table lacks a word.
struct Word {
  unsigned id;
  const char* english;
};
constexpr Word kAll{ids::kWordAll, "All"};
constexpr Word kSystem{ids::kWordSystem, "System"};
constexpr Word kControl{ids::kWordControl, "Control"};
constexpr Word kTorque{ids::kWordTorque, "Torque"};
constexpr Word kSpeed{ids::kWordSpeed, "Speed"};
constexpr Word kPosition{ids::kWordPosition, "Position"};
constexpr Word kQuick{ids::kWordQuick, "Quick"};
constexpr Word kDiDo{ids::kWordDiDoPlanning, "DI/DO Planning"};
constexpr Word kParameter{ids::kWordParameter, "Parameter"};
constexpr Word kMode{ids::kWordMode, "Mode"};
constexpr Word kInternal{ids::kWordInternalPositionCommand, "(Internal Position Command)"};
constexpr Word kExternal{ids::kWordExternalPulseCommand, "(External Pulse Command)"};
constexpr Word kDefined{ids::kWordDefined, "Defined"};
constexpr Word kTuning{ids::kWordTuning, "Tuning"};
constexpr Word kToolTurret{ids::kWordToolTurret, "Tool Turret"};
// The extended groups and the cam group have no word of their own: their box captions name
// them. (The "Tool Turret" word is the Pt control mode's.)
constexpr const char* kCia402 = "Cia402";
constexpr const char* kEcam = "ECAM";

std::string word(const Word& w) {
  std::string t = text(w.id);
  return t.empty() ? std::string(w.english) : t;
}

std::string phrase(std::initializer_list<std::string> words) {
  std::string out;
  for (const auto& w : words) {
    if (!out.empty()) out += ' ';
    out += w;
  }
  return out;
}

std::vector<std::string> groupItems(const DisplaySelection& s) {
  const std::string parameter = word(kParameter);
  struct Item {
    DisplayGroup group;
    std::string name;
  };
  const Item items[] = {{DisplayGroup::Cn, word(kSystem)},   {DisplayGroup::Tn, word(kTorque)},
                        {DisplayGroup::qn, word(kQuick)},    {DisplayGroup::Sn, word(kSpeed)},
                        {DisplayGroup::Pn, word(kPosition)}, {DisplayGroup::Hn, word(kDiDo)},
                        {DisplayGroup::Cia402, kCia402},     {DisplayGroup::tn, word(kTuning)},
                        {DisplayGroup::ECA, kEcam}};
  // "All" stands for the seven groups it checks; tuning and cam are named beside it. Nothing
  // chosen lists everything (see listedParameters), and says so.
  const bool none = std::none_of(s.groups.begin(), s.groups.end(), [](bool b) { return b; });
  const bool all = none || s.group(DisplayGroup::All);
  std::vector<std::string> out;
  if (all) out.push_back(phrase({word(kAll), parameter}));
  for (const auto& item : items) {
    const bool coveredByAll = item.group != DisplayGroup::tn && item.group != DisplayGroup::ECA;
    if (s.group(item.group) && !(all && coveredByAll)) out.push_back(phrase({item.name, parameter}));
  }
  return out;
}

std::vector<std::string> modeItems(const DisplaySelection& s) {
  const std::string controlMode = phrase({word(kControl), word(kMode)});
  const std::string position = phrase({word(kPosition), controlMode});
  struct Item {
    DisplayControlMode mode;
    std::string name;
  };
  const Item items[] = {{DisplayControlMode::Torque, phrase({word(kTorque), controlMode})},
                        {DisplayControlMode::Speed, phrase({word(kSpeed), controlMode})},
                        {DisplayControlMode::PositionInternal, position + word(kInternal)},
                        {DisplayControlMode::PositionExternal, position + word(kExternal)},
                        {DisplayControlMode::Pt, phrase({word(kToolTurret), word(kMode)})}};
  const bool none = std::none_of(s.controlModes.begin(), s.controlModes.end(), [](bool b) { return b; });
  std::vector<std::string> out;
  for (const auto& item : items)
    if (none || s.controlMode(item.mode)) out.push_back(item.name);
  return out;
}

}  // namespace

std::string displayDescription(const DisplaySelection& selection) {
  std::vector<std::string> items;
  switch (selection.mode) {
    case DisplayMode::SelectGroups: items = groupItems(selection); break;
    case DisplayMode::ControlMode: items = modeItems(selection); break;
    case DisplayMode::Custom: items = {phrase({word(kDefined), word(kParameter)})}; break;
  }
  std::string out;
  for (const auto& item : items) {
    if (!out.empty()) out += '+';
    out += item;
  }
  return out;
}

}  // namespace zavo
