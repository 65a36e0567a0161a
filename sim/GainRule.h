#pragma once
// How the virtual drive turns what it identified into loop gains, in the units of its
// working registers.
//
// Speed loop (Sn211 in Hz, Sn212 in 0.2 ms): the gain is the bandwidth asked for; the drive
// scales it by the inertia it knows (Cn025), so with the identified ratio the loop crosses
// over at that bandwidth. The integral time is 4·(1 + overshoot suppression)/ωc, which damps
// the loop critically or more (ζ = √(ωc·Ti)/2 ≥ 1): a speed step overshoots by 14 % at most
// when the torque limit is not reached, less the more suppression is asked for.
//
// Position loop (Pn310 in 1/s): a share of the speed loop's ωc (25-50 %), so the position
// loop is always the slower one.
//
// Current loop (ACRKp as a per-unit gain × 16384, ACRKiT in 10 µs): the gain L·ωi for the
// bandwidth asked for, the integral time L/R that cancels the winding's own time constant.

#include "sim/MotorElectrics.h"

namespace zavo::sim {

struct SpeedGains {
  int bandwidthHz = 0;  // Sn211
  int integral = 0;     // Sn212
  int position = 0;     // Pn310
};
// `suppressionPercent` is tn20 (10-80), `positionSharePercent` tn19 (25-50).
SpeedGains speedGains(double bandwidthHz, double suppressionPercent, double positionSharePercent);

struct CurrentGains {
  int gain = 0;          // C9C
  int integralTime = 0;  // C9D
};
CurrentGains currentGains(double inductanceH, double resistanceOhm, double bandwidthHz, const Windings& base);

// The per-unit bases of the current loop: rated current (peak) and half the DC bus.
inline constexpr double kBusVolts = 310;
// The current loop's period in its own register (C9B), 10 µs units: 50 µs.
inline constexpr int kCurrentPeriodUnits = 5;

}  // namespace zavo::sim
