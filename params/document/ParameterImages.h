#pragma once
// The four parallel images of every stored parameter group (minimum, maximum, working value,
// default), indexed by parameter number 1..N. The document owns one set; the catalogue fills
// the minimum, maximum and default images.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zavo {

enum class ParamGroup { Cn, Tn, Sn, Pn3, Pn4, qn, Hn, tn, ECA, OnT, OnS, Ond, OnC, OnA };
inline constexpr std::size_t kParamGroupCount = 14;

// Slots per group, in ParamGroup order.
inline constexpr std::array<int, kParamGroupCount> kGroupSlots{98, 20, 25, 80, 100, 20, 20, 21, 22, 8, 5, 11, 70, 41};

constexpr int slotsOf(ParamGroup g) { return kGroupSlots[static_cast<std::size_t>(g)]; }

struct GroupImage {
  // Index 0 is unused so that parameter number n lives at index n.
  std::vector<std::int32_t> min, max, value, def;

  explicit GroupImage(int slots = 0)
      : min(static_cast<std::size_t>(slots) + 1), max(min.size()), value(min.size()), def(min.size()) {}
  int slots() const { return static_cast<int>(min.size()) - 1; }
  bool has(int number) const { return number >= 1 && number <= slots(); }
  void copyDefaultsToValues() { value = def; }
};

struct ParameterImages {
  std::array<GroupImage, kParamGroupCount> groups;

  ParameterImages() {
    for (std::size_t i = 0; i < kParamGroupCount; ++i) groups[i] = GroupImage(kGroupSlots[i]);
  }
  GroupImage& operator[](ParamGroup g) { return groups[static_cast<std::size_t>(g)]; }
  const GroupImage& operator[](ParamGroup g) const { return groups[static_cast<std::size_t>(g)]; }
};

}  // namespace zavo
