#pragma once
// The resonance test's search: the spectrum of the torque the speed loop needed while the
// axis moved, scanned for narrow peaks that stand well above their neighbourhood. A rigid
// axis has none; a compliant load shows its resonance there.

#include <span>

#include "sim/MechanicsEngine.h"

namespace zavo::sim {

struct ResonanceFound {
  int first = 0;  // Hz, the strongest peak (0: none)
  int second = 0;
  int third = 0;
};

// `sensitivity` is tn11 (10-100): the higher, the smaller a peak may be and still count.
ResonanceFound findResonances(std::span<const AxisSample> samples, int sensitivity);

}  // namespace zavo::sim
