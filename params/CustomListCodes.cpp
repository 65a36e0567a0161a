#include "params/CustomListCodes.h"

#include <array>

namespace zavo {
namespace {

// In ParamGroup order.
constexpr std::array<int, kParamGroupCount> kCustomGroups{kCustomCn,  kCustomTn,  kCustomSn,  kCustomPn3, kCustomPn4,
                                                          kCustomQn,  kCustomHn,  kCustomOther, kCustomEca, kCustomOnT,
                                                          kCustomOnS, kCustomOnd, kCustomOnC, kCustomOnA};

}  // namespace

int customGroupOf(ParamGroup group) { return kCustomGroups[static_cast<std::size_t>(group)]; }

CustomEntry customEntryOf(const catalogue::Entry& entry) { return {customGroupOf(entry.group), entry.slot}; }

std::optional<catalogue::Entry> entryOf(const CustomEntry& custom, int driveType) {
  if (custom.group == kCustomOther) return std::nullopt;
  for (const auto& e : catalogue::parameters(driveType))
    if (customGroupOf(e.group) == custom.group && e.slot == custom.number) return e;
  return std::nullopt;
}

}  // namespace zavo
