#pragma once
// The windings of the virtual drive's motor and how the drive measures them with the rotor
// held: voltage steps for resistance and inductance, DC currents for the inverter's dead-time
// losses, and the back-EMF while the shaft turns. Each measurement is a run of samples with
// seeded sensor noise; the drive's estimate is a least-squares fit over them, so it is only
// as good as the measurement.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/MechanicsEngine.h"

namespace zavo::sim {

// The motor as it is (a 0.4 kW, 3000 rpm permanent-magnet servo motor).
struct Windings {
  double resistanceOhm = 1.10;     // per phase
  double inductanceDH = 2.50e-3;   // d axis, at no current
  double inductanceQH = 2.80e-3;   // q axis
  double backEmfVPerRpm = 0.0295;
  double deadTimeVolts = 4.0;      // the inverter's loss at high current
  double deadTimeKneeA = 0.3;      // ... reached through tanh(i / knee)
  double saturation = 0.2;         // inductance lost at three times rated current
  double ratedCurrentA = 2.6;
};

// What the drive computed from its measurements.
struct WindingEstimate {
  double resistanceOhm = 0;
  double inductanceDH = 0;
  double inductanceQH = 0;
};

class MotorElectrics {
 public:
  static constexpr int kDeadTimePoints = 11;  // 0, 10 %, ... 100 % of rated current

  MotorElectrics(const Windings& w, std::uint64_t seed, double noise);

  // Voltage steps on both axes with the rotor held.
  WindingEstimate identify();
  // The dead-time loss (V) at 0, 10 %, ... 100 % of rated current, given the resistance.
  std::array<double, kDeadTimePoints> deadTimeLosses(double resistanceOhm);
  // Back-EMF constant (V/rpm) from recorded motion: the terminal voltage the drive commanded
  // at each sample against speed and current.
  double backEmf(std::span<const AxisSample> samples, double resistanceOhm, double torquePerAmp);
  // The inductance kept at three times rated current, as a share of the unsaturated one.
  double saturatedShare(const WindingEstimate& e);

  const Windings& windings() const { return w_; }
  double torquePerAmp(double ratedTorqueNm) const { return ratedTorqueNm / w_.ratedCurrentA; }

 private:
  double gaussian();
  double deadTime(double amps) const;
  double inductance(double base, double amps) const;
  static constexpr int kSteps = 3;
  std::vector<double> stepCurrents(double inductanceH, double volts);
  // Resistance and inductance of one axis from voltage steps at `volts`.
  void stepResponse(double inductanceH, const double (&volts)[kSteps], double& r, double& l);

  Windings w_;
  std::uint64_t rng_;
  double noise_;
};

}  // namespace zavo::sim
