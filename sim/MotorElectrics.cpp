#include "sim/MotorElectrics.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "sim/LeastSquares.h"

namespace zavo::sim {
namespace {

constexpr double kSampleS = 50e-6;       // the current loop's 20 kHz
constexpr int kStepSamples = 400;        // 20 ms of a voltage step
constexpr double kCurrentNoiseShare = 0.005;  // of rated current
constexpr double kVoltageNoise = 0.2;         // V
constexpr double kSaturationCurrents = 3;     // times rated current for the saturated inductance
constexpr int kSettledSamples = 100;          // samples averaged once settled
constexpr double kStepShares[] = {0.4, 0.7, 1.0};  // voltage steps towards these shares of rated current
constexpr int kWindow = 8;                    // samples per window of the rise
constexpr double kRiseFrom = 0.5;             // of the final current: past the dead-time knee
constexpr int kSmoothing = 3;                 // samples each side averaged into a window's ends

std::uint64_t nextRandom(std::uint64_t& state) {
  std::uint64_t x = (state += 0x9E3779B97F4A7C15ull);
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

MotorElectrics::MotorElectrics(const Windings& w, std::uint64_t seed, double noise)
    : w_(w), rng_(seed ^ 0x77696E64696E6773ull), noise_(noise) {}

double MotorElectrics::gaussian() {
  const double u1 = (static_cast<double>(nextRandom(rng_) >> 11) + 0.5) * 0x1.0p-53;
  const double u2 = (static_cast<double>(nextRandom(rng_) >> 11) + 0.5) * 0x1.0p-53;
  return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
}

double MotorElectrics::deadTime(double amps) const { return w_.deadTimeVolts * std::tanh(amps / w_.deadTimeKneeA); }

double MotorElectrics::inductance(double base, double amps) const {
  const double share = amps / (kSaturationCurrents * w_.ratedCurrentA);
  return base * (1 - w_.saturation * share * share);
}

std::vector<double> MotorElectrics::stepCurrents(double inductanceH, double volts) {
  // The winding under a voltage step: L di/dt = V - R i - Vdt(i), the current as measured.
  std::vector<double> measured(kStepSamples);
  double i = 0;
  for (double& m : measured) {
    i += (volts - w_.resistanceOhm * i - deadTime(i)) / inductance(inductanceH, i) * kSampleS;
    m = i + noise_ * kCurrentNoiseShare * w_.ratedCurrentA * gaussian();
  }
  return measured;
}

void MotorElectrics::stepResponse(double inductanceH, const double (&volts)[kSteps], double& r, double& l) {
  // Steps to a few currents past the dead-time knee. Settled, each gives V = R·i + Vdt with
  // Vdt about constant there: a line through the settled points gives R (and the loss). The
  // rises then give L from ∫(V - Vdt - R·i) dt = L·Δi over short windows, taken where the
  // current is well on its way to its final value (past the knee as well).
  std::vector<double> steps[kSteps];
  LeastSquares<2> line;
  for (int k = 0; k < kSteps; ++k) {
    steps[k] = stepCurrents(inductanceH, volts[k]);
    double settled = 0;
    for (int n = kStepSamples - kSettledSamples; n < kStepSamples; ++n) settled += steps[k][static_cast<std::size_t>(n)];
    line.add({settled / kSettledSamples, 1}, volts[k]);
  }
  const auto rc = line.solve();
  if (!rc) return;
  r = (*rc)[0];
  const double loss = (*rc)[1];
  LeastSquares<1> rise;
  for (int k = 0; k < kSteps; ++k) {
    // The ends of a window are read through the average of their neighbours: a noisy Δi
    // would make the fitted inductance too small.
    const std::vector<double>& raw = steps[k];
    std::vector<double> m(raw);
    for (int n = kSmoothing; n + kSmoothing < kStepSamples; ++n) {
      double sum = 0;
      for (int j = n - kSmoothing; j <= n + kSmoothing; ++j) sum += raw[static_cast<std::size_t>(j)];
      m[static_cast<std::size_t>(n)] = sum / (2 * kSmoothing + 1);
    }
    const double final = (volts[k] - loss) / r;
    for (int n = kWindow; n + kWindow <= kStepSamples - kSettledSamples; n += kWindow) {
      if (m[static_cast<std::size_t>(n)] < kRiseFrom * final) continue;
      double drop = 0;
      for (int j = n + 1; j <= n + kWindow; ++j) drop += (volts[k] - loss - r * m[static_cast<std::size_t>(j)]) * kSampleS;
      rise.add({m[static_cast<std::size_t>(n + kWindow)] - m[static_cast<std::size_t>(n)]}, drop);
    }
  }
  if (const auto x = rise.solve()) l = (*x)[0];
}

WindingEstimate MotorElectrics::identify() {
  const double base = w_.ratedCurrentA * w_.resistanceOhm;
  const double volts[kSteps] = {kStepShares[0] * base + w_.deadTimeVolts, kStepShares[1] * base + w_.deadTimeVolts,
                                kStepShares[2] * base + w_.deadTimeVolts};
  WindingEstimate e;
  double rq = 0;
  stepResponse(w_.inductanceDH, volts, e.resistanceOhm, e.inductanceDH);
  stepResponse(w_.inductanceQH, volts, rq, e.inductanceQH);
  e.resistanceOhm = (e.resistanceOhm + rq) / 2;
  return e;
}

std::array<double, MotorElectrics::kDeadTimePoints> MotorElectrics::deadTimeLosses(double resistanceOhm) {
  std::array<double, kDeadTimePoints> out{};
  for (int k = 1; k < kDeadTimePoints; ++k) {
    const double amps = w_.ratedCurrentA * k / (kDeadTimePoints - 1);
    // The current loop holds the current; the voltage it needs is averaged.
    double sum = 0;
    for (int n = 0; n < kSettledSamples; ++n)
      sum += w_.resistanceOhm * amps + deadTime(amps) + noise_ * kVoltageNoise * gaussian();
    out[static_cast<std::size_t>(k)] = sum / kSettledSamples - resistanceOhm * amps;
  }
  return out;
}

double MotorElectrics::backEmf(std::span<const AxisSample> samples, double resistanceOhm, double torquePerAmp) {
  LeastSquares<1> ls;
  for (const AxisSample& s : samples) {
    const double rpm = radSToRpm(s.speedRadS);
    const double amps = s.torqueNm / torquePerAmp;
    const double volts = w_.backEmfVPerRpm * rpm + w_.resistanceOhm * amps + noise_ * kVoltageNoise * gaussian();
    ls.add({rpm}, volts - resistanceOhm * amps);
  }
  const auto x = ls.solve();
  return x ? (*x)[0] : 0;
}

double MotorElectrics::saturatedShare(const WindingEstimate& e) {
  // Steps towards two and three times rated current, fitted the same way: the inductance
  // the current loop meets when the motor gives its peak torque.
  const double base = w_.ratedCurrentA * w_.resistanceOhm;
  const double volts[kSteps] = {2 * base + w_.deadTimeVolts, 2.5 * base + w_.deadTimeVolts,
                                kSaturationCurrents * base + w_.deadTimeVolts};
  double r = 0, l = 0;
  stepResponse(w_.inductanceQH, volts, r, l);
  return e.inductanceQH > 0 ? l / e.inductanceQH : 0;
}

}  // namespace zavo::sim
