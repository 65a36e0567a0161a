#include "params/catalogue/Rigidity.h"

#include <array>

namespace zavo {
namespace {

constexpr int kFirstLevel = 1;
constexpr std::array<RigidityGains, 9> kLevels{{{15, 300},
                                                 {20, 225},
                                                 {30, 150},
                                                 {40, 100},
                                                 {60, 75},
                                                 {85, 50},
                                                 {120, 40},
                                                 {160, 30},
                                                 {200, 25}}};
constexpr RigidityGains kOtherLevels{250, 20};

}  // namespace

RigidityGains rigidityGains(int level) {
  const int index = level - kFirstLevel;
  if (index < 0 || index >= static_cast<int>(kLevels.size())) return kOtherLevels;
  return kLevels[static_cast<std::size_t>(index)];
}

}  // namespace zavo
