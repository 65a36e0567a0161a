#pragma once
// What the drive learns about its axis from the motion it recorded: inertia and friction by
// least squares over the torque balance, and the friction torque at steady speeds.

#include <optional>
#include <span>

#include "sim/MechanicsEngine.h"

namespace zavo::sim {

struct AxisFit {
  double inertia = 0;  // kg·m², motor and load
  double viscous = 0;  // N·m per rad/s
  double coulomb = 0;  // N·m
};

// Fits ∫T dt = J·Δω + B·∫ω dt + Fc·∫sgn(ω) dt over consecutive windows of `windowMs`. Windows in
// which the shaft is near rest or reverses are left out (static friction is not Coulomb
// friction). Nothing when the motion does not determine the three.
std::optional<AxisFit> fitAxis(std::span<const AxisSample> samples, double windowMs = 10);

// Mean measured torque and speed between two moments (a plateau of steady speed), and how
// much the speed still changed meanwhile.
struct SteadyState {
  double torqueNm = 0;
  double speedRadS = 0;
  double accelRadS2 = 0;
};
SteadyState steadyState(std::span<const AxisSample> samples, double fromMs, double toMs);

}  // namespace zavo::sim
