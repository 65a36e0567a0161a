#pragma once
// The rigidity setting (Cn026) stands for a set of loop gains: choosing a level sets the
// position and speed loop gains (Pn310, Sn211) and the speed loop integral time (Sn212).

namespace zavo {

struct RigidityGains {
  int loopGain;      // Pn310 and Sn211
  int integralTime;  // Sn212
};

// Gains of rigidity level `level`; levels outside 1-9 take the stiffest set.
RigidityGains rigidityGains(int level);

}  // namespace zavo
