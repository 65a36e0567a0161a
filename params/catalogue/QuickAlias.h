#pragma once
// The quick parameters are second names of drive words that other parameters already name:
// qn501-qn504 are Sn211-Sn214 and qn505-qn507 are Pn310-Pn312 (qn4nn on drive types 0 and 1).
// Whatever stores one of them stores the other too, so that the two rows never disagree.

#include <optional>

#include "params/document/ParameterImages.h"

namespace zavo {

struct ParameterSlot {
  ParamGroup group;
  int slot;
  bool operator==(const ParameterSlot&) const = default;
};

// The other name of the same drive word; nothing for a parameter without one.
std::optional<ParameterSlot> quickAlias(ParameterSlot parameter);

}  // namespace zavo
