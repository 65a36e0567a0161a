#include "sim/TuningDrive.h"

#include <algorithm>
#include <cmath>

namespace zavo::sim {
namespace {

constexpr double kInertiaUnit = 1e-6;     // kg·m² per 0.01 kg·cm²
constexpr double kRatioUnits = 10;
constexpr double kPerMille = 1000;        // 0.1 %
constexpr double kPerTenThousand = 10000; // 0.01 %
constexpr double kThousandRpm = 1000;
constexpr int kMaxRatioWord = 2000;

int clampWord(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 0xFFFF); }

}  // namespace

TuningDrive::TuningDrive(DriveMemory& memory, ParameterMemory& stored, const ParameterTable& table, DriveMotion& motion,
                         const AxisParameters& nameplate, std::uint64_t seed, double noise)
    : memory_(memory), stored_(stored), table_(table), motion_(motion), nameplate_(nameplate),
      electrics_(Windings{}, seed, noise) {}

int TuningDrive::word(RegisterRef r) const {
  const auto w = memory_.read(r);
  return w ? *w : 0;
}

void TuningDrive::set(RegisterRef r, int value, bool store) {
  const auto w = static_cast<std::uint16_t>(value);
  memory_.poke(r, w);
  if (!store) return;
  for (const StoredParameter& p : table_.parameters)
    if (p.live == r && p.highLinear < 0) stored_.store(p.linear, w);
}

double TuningDrive::motorInertia() const { return nameplate_.motorInertiaKgCm2 * kKgCm2; }

double TuningDrive::testSpeedRpm() const { return motion_.speedRpm(static_cast<std::uint16_t>(word(tuning::kJogSpeed))); }

int TuningDrive::inertiaWord(double inertia) const { return clampWord(inertia / kInertiaUnit); }

int TuningDrive::ratioWord(double inertia) const {
  const double ratio = inertia / motorInertia() - 1;
  return std::clamp(static_cast<int>(std::lround(ratio * kRatioUnits)), 0, kMaxRatioWord);
}

int TuningDrive::frictionWord(double torqueNm) const { return clampWord(std::fabs(torqueNm) / ratedTorque() * kPerMille); }

int TuningDrive::viscousWord(double nmPerRadS) const {
  return clampWord(nmPerRadS * rpmToRadS(kThousandRpm) / ratedTorque() * kPerTenThousand);
}

double TuningDrive::assumedRatio() const { return motion_.loopSettings().assumedInertiaRatio; }

}  // namespace zavo::sim
