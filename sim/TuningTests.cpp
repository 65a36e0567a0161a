#include "sim/TuningTests.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>

#include "sim/GainRule.h"
#include "sim/LeastSquares.h"
#include "sim/ResonanceSearch.h"

namespace zavo::sim {
namespace {

using namespace tuning;

// ---- Timing -----------------------------------------------------------------------------
constexpr double kElectricalMs = 400;       // a measurement of the windings, rotor held
constexpr double kFrictionHoldMs = 120;     // each steady speed of a friction test
constexpr double kFrictionMeasureMs = 60;   // ... of which the last part is averaged
constexpr double kFrictionRampsMs = 1200;   // all ramps of a friction test together
constexpr double kInertiaMs = 1500;         // back-and-forth moves of an inertia test
constexpr double kMovesPerTest = 3;
constexpr double kDwellMs = 30;
constexpr double kBackEmfHoldMs = 400;
constexpr double kResonanceMs = 1000;
constexpr double kMsPerS = 1000;

// ---- Units of the tuning parameters and registers ----------------------------------------
constexpr double kRpmPerRps = 60;
constexpr double kPercent = 100;
constexpr double kMilliohm = 1e3, kHundredthMh = 1e5, kTenthMvPerRpm = 1e4, kMillivolt = 1e3;
constexpr double kPhaseTenthDegrees = 3600;
constexpr double kCurrentLoopDelays = 1.5;  // periods of delay in the current loop
constexpr double kCurrentPeriodS = 50e-6;
constexpr int kFrictionSteps = 8;
constexpr double kMotorTestAccelRpmS = 20000;  // motor tests pick their own profile
constexpr double kMotorTestSpeedShare = 1.0 / 3;  // of rated speed

enum Tn { kTn08AccelTime = 8, kTn09Revs = 9, kTn10Bandwidth = 10, kTn11Sensitivity = 11, kTn12Accel = 12,
          kTn17Stiffness = 17, kTn18Start = 18, kTn19PositionShare = 19, kTn20Suppression = 20,
          kTn21CurrentBandwidth = 21 };
enum Start { kStartCwLimit = 0, kStartMiddle = 1, kStartCcwLimit = 2 };

// What the parts of one run hand on to the next (the full sets).
struct Findings {
  std::optional<AxisFit> axis;
};

TestPlan held(std::function<void()> work) {
  TestPlan p;
  p.durationMs = kElectricalMs;
  p.finish = [work = std::move(work)](std::span<const AxisSample>) { work(); };
  return p;
}

// ---- Windings ---------------------------------------------------------------------------

TestPlan currentLoopTest(TuningDrive& d) {
  return held([&d] {
    const WindingEstimate e = d.electrics().identify();
    const CurrentGains g = currentGains(e.inductanceQH, e.resistanceOhm, d.tuning(kTn21CurrentBandwidth), d.electrics().windings());
    d.set(kCurrentGain, g.gain);
    d.set(kCurrentIntegral, g.integralTime);
    d.set(kCurrentPeriod, kCurrentPeriodUnits);
  });
}

TestPlan resistanceTest(TuningDrive& d) {
  return held([&d] { d.set(kResistance, static_cast<int>(std::lround(d.electrics().identify().resistanceOhm * kMilliohm))); });
}

TestPlan inductanceTest(TuningDrive& d) {
  return held([&d] {
    const WindingEstimate e = d.electrics().identify();
    d.set(kInductanceD, static_cast<int>(std::lround(e.inductanceDH * kHundredthMh)));
    d.set(kInductanceQ, static_cast<int>(std::lround(e.inductanceQH * kHundredthMh)));
  });
}

TestPlan deadTimeTest(TuningDrive& d) {
  return held([&d] {
    const auto losses = d.electrics().deadTimeLosses(d.electrics().identify().resistanceOhm);
    for (int k = 0; k < kDeadTimeCount; ++k)
      d.set({kDeadTimeFirst.page, kDeadTimeFirst.address + k},
            std::max(0, static_cast<int>(std::lround(losses[static_cast<std::size_t>(k)] * kMillivolt))));
  });
}

TestPlan backEmfTest(TuningDrive& d) {
  const double speed = d.ratedSpeed() * kMotorTestSpeedShare;
  const Plateaus p = plateaus({speed, -speed}, kBackEmfHoldMs, kMotorTestAccelRpmS);
  TestPlan t;
  t.durationMs = p.durationMs;
  t.profile = p.profile;
  t.finish = [&d](std::span<const AxisSample> s) {
    const double r = d.electrics().identify().resistanceOhm;
    const double ke = d.electrics().backEmf(s, r, d.electrics().torquePerAmp(d.ratedTorque()));
    d.set(kBackEmf, static_cast<int>(std::lround(ke * kTenthMvPerRpm)));
  };
  return t;
}

// ---- Friction -----------------------------------------------------------------------------

// Steady speeds at k/8 of the test speed, k = 1..8, turning one way and then the other. The
// torque each takes (less what still went into the speed's settling) against the speed the
// axis really had is a line: Coulomb friction and the viscous slope. The table holds the
// line at the test's speeds, whether or not the loop had quite reached them.
TestPlan frictionTest(TuningDrive& d, double speedRpm) {
  const double speed = std::fabs(speedRpm);
  std::vector<double> speeds;
  for (int sign : {1, -1})
    for (int k = 1; k <= kFrictionSteps; ++k) speeds.push_back(sign * speed * k / kFrictionSteps);
  // The ramps between the plateaus span three times the test speed.
  const double fromAccelTime = speed / std::max(1, d.tuning(kTn08AccelTime)) * kMsPerS;
  const double accel = std::max(fromAccelTime, 3 * speed / kFrictionRampsMs * kMsPerS);
  const Plateaus p = plateaus(speeds, kFrictionHoldMs, accel);
  TestPlan t;
  t.durationMs = p.durationMs;
  t.profile = p.profile;
  t.finish = [&d, speed, ends = p.holdEndsMs](std::span<const AxisSample> s) {
    // What the loop still spent on settling the speed is inertia, not friction: the ramps
    // between the plateaus tell the inertia.
    const auto fit = fitAxis(s);
    const double inertia = fit ? fit->inertia : 0;
    LeastSquares<2> line;
    for (const double end : ends) {
      const SteadyState st = steadyState(s, end - kFrictionMeasureMs, end);
      line.add({1, std::fabs(st.speedRadS)}, std::fabs(st.torqueNm - inertia * st.accelRadS2));
    }
    const auto x = line.solve();
    if (!x) return;
    const double coulomb = (*x)[0], viscous = std::max(0.0, (*x)[1]);
    for (int k = 1; k <= kFrictionSteps; ++k)
      d.set({kFrictionFirst.page, kFrictionFirst.address + k - 1},
            d.frictionWord(coulomb + viscous * rpmToRadS(speed * k / kFrictionSteps)));
    d.set(kViscous, d.viscousWord(viscous));
  };
  return t;
}

// ---- Inertia ------------------------------------------------------------------------------

// Back-and-forth moves; the travel is shortened until three moves fit in the test.
Moves inertiaMoves(double speedRpm, double accelRpmS, double travelRevs, int start) {
  Moves m;
  m.speedRpm = std::max(1.0, std::fabs(speedRpm));
  m.accelRpmS = std::max(1.0, accelRpmS);
  m.travelRevs = std::max(1e-3, travelRevs);
  m.dwellMs = kDwellMs;
  m.firstSign = start == kStartCcwLimit ? -1 : 1;
  m.fromMiddle = start == kStartMiddle;
  for (int i = 0; i < 30; ++i) {
    double one = 0;
    backAndForth(m, 0, one);
    if (one <= kInertiaMs / kMovesPerTest) break;
    m.travelRevs /= 2;
  }
  return m;
}

TestPlan inertiaTest(const Moves& m, std::function<void(const AxisFit&)> found) {
  TestPlan t;
  t.profile = backAndForth(m, kInertiaMs, t.durationMs);
  t.finish = [found = std::move(found)](std::span<const AxisSample> s) {
    if (const auto fit = fitAxis(s)) found(*fit);
  };
  return t;
}

Moves mechanicalMoves(TuningDrive& d) {
  return inertiaMoves(d.testSpeedRpm(), d.tuning(kTn12Accel) * kRpmPerRps, d.tuning(kTn09Revs), d.tuning(kTn18Start));
}

Moves motorMoves(TuningDrive& d) {
  return inertiaMoves(d.ratedSpeed() * kMotorTestSpeedShare, kMotorTestAccelRpmS, 1, kStartCwLimit);
}

// ---- Gains ----------------------------------------------------------------------------------

// The speed gain for a bandwidth, on the inertia ratio the loop will assume: the identified one
// when it is adopted with the gains, else the one set now.
SpeedGains gainsFor(TuningDrive& d, const AxisFit& fit, double bandwidthHz, bool withRatio) {
  const double assumed = withRatio ? d.ratioWord(fit.inertia) / 10.0 : d.assumedRatio();
  const double scale = fit.inertia / (d.motorInertia() * (1 + assumed));
  SpeedGains g = speedGains(bandwidthHz, d.tuning(kTn20Suppression), d.tuning(kTn19PositionShare));
  g.bandwidthHz = speedGains(bandwidthHz * scale, 0, 0).bandwidthHz;
  return g;
}

void propose(TuningDrive& d, std::vector<Proposal>& out, RegisterRef proposed, RegisterRef working, int value) {
  d.set(proposed, value);
  out.push_back({proposed, working});
}

TestPlan speedLoopPlan(TuningDrive& d, std::vector<Proposal>& out, std::shared_ptr<Findings> f, bool withRatio,
                       bool withPosition) {
  TestPlan t;
  t.finish = [&d, &out, f, withRatio, withPosition](std::span<const AxisSample>) {
    if (!f->axis) return;
    const SpeedGains g = gainsFor(d, *f->axis, d.tuning(kTn17Stiffness), withRatio);
    if (withRatio) propose(d, out, kProposedInertiaRatio, kInertiaRatio, d.ratioWord(f->axis->inertia));
    propose(d, out, kProposedSpeedGain, kSpeedGain, g.bandwidthHz);
    propose(d, out, kProposedSpeedIntegral, kSpeedIntegral, g.integral);
    if (withPosition) propose(d, out, kProposedPositionGain, kPositionGain, g.position);
  };
  return t;
}

TestPlan currentBandwidthTest(TuningDrive& d, std::vector<Proposal>& out) {
  return held([&d, &out] {
    const WindingEstimate e = d.electrics().identify();
    const double bandwidth = d.tuning(kTn21CurrentBandwidth);
    const CurrentGains g = currentGains(e.inductanceQH, e.resistanceOhm, bandwidth, d.electrics().windings());
    propose(d, out, kProposedCurrentGain, kCurrentGain, g.gain);
    // The loop's delay at its bandwidth, in 0.1°, lagging.
    const double lag = kCurrentLoopDelays * kCurrentPeriodS * bandwidth * kPhaseTenthDegrees;
    d.set(kCurrentPhaseLag, -static_cast<int>(std::lround(lag)));
  });
}

TestPlan gainSwitchTest(TuningDrive& d, std::vector<Proposal>& out) {
  return held([&d, &out] {
    const WindingEstimate e = d.electrics().identify();
    const int share = static_cast<int>(std::lround(d.electrics().saturatedShare(e) * kPercent));
    propose(d, out, kProposedGainSwitchKp, kGainSwitchKp, share);
    propose(d, out, kProposedGainSwitchKi, kGainSwitchKi, share);
  });
}

TestPlan resonanceTest(TuningDrive& d) {
  Moves m = mechanicalMoves(d);
  TestPlan t;
  t.profile = backAndForth(m, kResonanceMs, t.durationMs);
  t.finish = [&d](std::span<const AxisSample> s) {
    const ResonanceFound r = findResonances(s, d.tuning(kTn11Sensitivity));
    d.set(kResonance, r.first);
    d.set(kResonance2, r.second);
    d.set(kResonance3, r.third);
  };
  return t;
}

}  // namespace

std::vector<TestPlan> motorTests(int selector, TuningDrive& d) {
  const auto inertia = [&d] {
    return inertiaTest(motorMoves(d), [&d](const AxisFit& f) { d.set(kTotalInertia, d.inertiaWord(f.inertia)); });
  };
  switch (selector) {
    case 0:
      return {currentLoopTest(d), resistanceTest(d), deadTimeTest(d), inductanceTest(d), backEmfTest(d),
              frictionTest(d, d.testSpeedRpm()), inertia()};
    case 1: return {currentLoopTest(d)};
    case 2: return {resistanceTest(d)};
    case 3: return {deadTimeTest(d)};
    case 4: return {inductanceTest(d)};
    case 5: return {backEmfTest(d)};
    case 6: return {frictionTest(d, d.testSpeedRpm())};
    case 7: return {inertia()};
    default: return {};
  }
}

std::vector<TestPlan> mechanicalTests(int selector, TuningDrive& d, std::vector<Proposal>& proposals) {
  auto f = std::make_shared<Findings>();
  const auto inertia = [&d, f] { return inertiaTest(mechanicalMoves(d), [f](const AxisFit& fit) { f->axis = fit; }); };
  switch (selector) {
    case 0:
      return {frictionTest(d, d.testSpeedRpm()), inertia(), speedLoopPlan(d, proposals, f, true, true)};
    case 1: return {frictionTest(d, d.testSpeedRpm())};
    case 2: {
      TestPlan t = inertiaTest(mechanicalMoves(d), [&d, &proposals](const AxisFit& fit) {
        propose(d, proposals, kProposedInertiaRatio, kInertiaRatio, d.ratioWord(fit.inertia));
      });
      return {t};
    }
    case 3: return {currentBandwidthTest(d, proposals)};
    case 4: return {gainSwitchTest(d, proposals)};
    case 5: return {inertia(), speedLoopPlan(d, proposals, f, false, false)};
    case 6: return {inertia(), speedLoopPlan(d, proposals, f, false, true)};
    case 7: return {resonanceTest(d)};
    default: return {};
  }
}

std::vector<TestPlan> offlineAutoGain(TuningDrive& d, const AutoGainRegisters& r) {
  // The profile registers in the drive's own units: speed 16384 per rated speed, acceleration
  // 16384 per 10000 × rated speed per second, time 0.1 ms.
  const double speedUnit = d.ratedSpeed() / 16384.0;
  const double speed = d.word(r.maxSpeed) * speedUnit;
  const double accel = d.word(r.acceleration) * speedUnit * 10000;
  const double hold = d.word(r.constantTime) / 10.0;
  TestPlan t;
  t.durationMs = kTestMaxMs;
  t.profile = trapezoids(std::max(1.0, speed), std::max(1.0, accel), hold);
  t.finish = [&d](std::span<const AxisSample> s) {
    const auto fit = fitAxis(s);
    if (!fit) return;
    const SpeedGains g = gainsFor(d, *fit, d.tuning(kTn17Stiffness), true);
    d.set(kTotalInertia, d.inertiaWord(fit->inertia));
    d.set(kInertiaRatio, d.ratioWord(fit->inertia), true);
    d.set(kSpeedGain, g.bandwidthHz, true);
    d.set(kSpeedIntegral, g.integral, true);
    d.set(kPositionGain, g.position, true);
  };
  return {t};
}

std::vector<TestPlan> loopGainAdjust(TuningDrive& d, const AutoGainRegisters& r) {
  const double speed = d.word(r.maxSpeed) * d.ratedSpeed() / 16384.0;
  const double accel = speed / std::max(1, d.tuning(kTn08AccelTime)) * kMsPerS;
  const Moves m = inertiaMoves(speed, std::max(accel, d.tuning(kTn12Accel) * kRpmPerRps), d.tuning(kTn09Revs), kStartCwLimit);
  TestPlan windings = currentLoopTest(d);
  TestPlan moves = inertiaTest(m, [&d](const AxisFit& fit) {
    const SpeedGains g = gainsFor(d, fit, d.tuning(kTn10Bandwidth), true);
    d.set(kTotalInertia, d.inertiaWord(fit.inertia));
    d.set(kInertiaRatio, d.ratioWord(fit.inertia));
    d.set(kSpeedGain, g.bandwidthHz);
    d.set(kSpeedIntegral, g.integral);
    d.set(kPositionGain, g.position);
  });
  return {windings, moves};
}

}  // namespace zavo::sim
