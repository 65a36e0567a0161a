#include "monitor/DiagnosticsFormat.h"

#include <cstdio>
#include <iterator>

#include "params/catalogue/Catalogue.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::monitor {
namespace {

constexpr int kWordBits = 16;
constexpr std::int32_t kLevelBit = 256;

struct ModeEntry {
  const char* prefix;
  unsigned first;   // string id of the first mode's name
  unsigned second;  // the second mode of a combined one, or 0
};

// dn-01 0-12. The CANopen modes carry no names of their own.
constexpr ModeEntry kModes[] = {
    {"0: ", ids::kModeTorque, 0},
    {"1: ", ids::kModeSpeed, 0},
    {"2: ", ids::kModePositionExternal, 0},
    {"3: ", ids::kModePositionExternal, ids::kModeSpeed},
    {"4: ", ids::kModeSpeed, ids::kModeTorque},
    {"5: ", ids::kModePositionExternal, ids::kModeTorque},
    {"6: ", ids::kModePositionInternal, 0},
    {"7: ", ids::kModePositionInternal, ids::kModeSpeed},
    {"8: ", ids::kModePositionInternal, ids::kModeTorque},
    {"9: ", ids::kModeToolTurret, 0},
    {"A: ", ids::kModePositionInternal, ids::kModePositionExternal},
    {"B:CanOpen ", 0, 0},
    {"C:CanOpen ", 0, 0},
};

}  // namespace

TerminalLayout terminalLayout(int driveType) {
  switch (driveType) {
    case 0: return {13, 8, 17, 13, 8, true, 'A', false};
    case 2:
    case 4: return {12, 8, 16, 12, 8, false, 'A', false};
    case 3: return {12, 8, 16, 12, 3, false, 'E', true};
    default: return {6, 3, 9, 13, 3, true, 'E', false};
  }
}

std::string controlModeText(std::int32_t value) {
  if (value < 0 || value >= static_cast<std::int32_t>(std::size(kModes))) return {};
  const ModeEntry& m = kModes[value];
  std::string s = m.prefix;
  if (m.first) s += text(m.first);
  if (m.second) s += "-" + text(m.second);
  return s;
}

std::string terminalText(std::uint32_t word, int length) {
  if (length <= 0) return {};
  std::string s(static_cast<std::size_t>(length), '0');
  for (int j = 0; j < kWordBits && j < length; ++j)
    if (word >> j & 1u) s[static_cast<std::size_t>(length - 1 - j)] = '1';
  return s;
}

std::vector<bool> terminalStates(std::uint32_t word, int count) {
  std::vector<bool> on(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int j = 0; j < count && j < kWordBits; ++j) on[static_cast<std::size_t>(j)] = (word >> j & 1u) != 0;
  return on;
}

std::string versionText(char letter, std::int32_t value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%c%.2d.%02d", letter, value / 100, value % 100);
  return buf;
}

int assignedFunction(std::int32_t value) {
  return value >= 1 && value <= kLevelBit ? value - 1 : value - (kLevelBit + 1);
}

TerminalLabels terminalLabels(const std::array<std::int32_t, 20>& assignment, const TerminalLayout& layout) {
  TerminalLabels labels;
  char buf[64];
  for (int i = 0; i < layout.inputs; ++i) {
    const auto name = catalogue::diName(assignedFunction(assignment[static_cast<std::size_t>(i)]));
    std::snprintf(buf, sizeof buf, "S%d: %.*s", i + 1, static_cast<int>(name.size()), name.data());
    labels.inputs.push_back(buf);
  }
  for (int k = 0; k < layout.labels - layout.inputs; ++k) {
    const std::size_t at = static_cast<std::size_t>(layout.inputs + k);
    const auto name = at < assignment.size() ? catalogue::doName(assignedFunction(assignment[at])) : "";
    if (layout.fourthOutputUnused && k == 3)
      std::snprintf(buf, sizeof buf, "R%d: ----", k + 1);
    else
      std::snprintf(buf, sizeof buf, "R%d: %.*s", k + 1, static_cast<int>(name.size()), name.data());
    labels.outputs.push_back(buf);
  }
  return labels;
}

}  // namespace zavo::monitor
