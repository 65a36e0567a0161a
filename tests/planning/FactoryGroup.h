#pragma once
// The contact group as a factory drive holds it: terminal k has function k at level 1.

#include <vector>

#include "planning/DioLayout.h"

namespace zavo::planning {

inline std::vector<std::int32_t> factoryGroup(int driveType) {
  const DioLayout l = DioLayout::of(driveType);
  std::vector<std::int32_t> v(l.names().size(), 0);
  for (const Side s : {Side::In, Side::Out})
    for (int t = 0; t < l.terminals(s); ++t) v[static_cast<std::size_t>(l.index(s, t))] = kLevelWeight + 1 + t;
  return v;
}

}  // namespace zavo::planning
