#pragma once
// The one-line description of a display selection that the Parameter Set editor shows beside
// "Display Set": the chosen items joined with "+", e.g. "System Parameter+Speed Parameter"
// or "Torque Control Mode+Pt Mode".

#include <string>

#include "params/listing/DisplaySelection.h"

namespace zavo {

std::string displayDescription(const DisplaySelection& selection);

}  // namespace zavo
