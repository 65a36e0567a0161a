#include "sim/TuningFirmware.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zavo::sim {
namespace {

using namespace tuning;

constexpr int kPercentDone = 99;  // the progress a running adjustment never passes

}  // namespace

TuningFirmware::TuningFirmware(TuningDrive& drive, int driveType)
    : drive_(drive), autoGain_(autoGainRegisters(driveType)) {
  drive_.motion().addController(this);
  for (const RegisterRef r : {kTuneMode, kTuneSelector, kTuneState, kProgress, kTuneAdopt, autoGain_.mode})
    words_.push_back({r, 0, false});
}

TuningFirmware::Word* TuningFirmware::find(RegisterRef r) {
  for (Word& w : words_)
    if (pageIndexOf(w.r.page) == pageIndexOf(r.page) && w.r.address == r.address) return &w;
  return nullptr;
}

const TuningFirmware::Word* TuningFirmware::find(RegisterRef r) const {
  return const_cast<TuningFirmware*>(this)->find(r);
}

std::uint16_t TuningFirmware::wordOf(RegisterRef r) const { return find(r)->value; }

void TuningFirmware::tell(RegisterRef r, int value) {
  Word* w = find(r);
  if (!w->pinned) w->value = static_cast<std::uint16_t>(value);
}

bool TuningFirmware::told(RegisterRef r) { return r == kTuneState || r == kProgress; }

bool TuningFirmware::claims(RegisterRef r) const { return find(r) != nullptr; }

std::optional<std::uint16_t> TuningFirmware::read(RegisterRef r) {
  const Word* w = find(r);
  if (!w) return std::nullopt;
  return w->value;
}

bool TuningFirmware::accepts(RegisterRef r, std::uint16_t) const {
  // The state and the progress are the drive's to tell.
  return claims(r) && !told(r);
}

void TuningFirmware::poke(RegisterRef r, std::uint16_t value) {
  Word* w = find(r);
  if (!w) return;
  w->value = value;
  // A state set from outside stays: the test of a drive that never finishes.
  w->pinned = told(r);
}

void TuningFirmware::write(RegisterRef r, std::uint16_t value) {
  Word* w = find(r);
  if (!w || !accepts(r, value)) return;
  const std::uint16_t before = w->value;
  w->value = value;
  const bool idle = !running() && !drive_.motion().held() && !drive_.motion().servoOn();
  if (r == kTuneSelector) {
    selectorWritten_ = true;
  } else if (r == kTuneMode) {
    if (value == kTuneIdle) {
      stop();
    } else if (idle && value == kTuneMotor) {
      start(Kind::Motor, motorTests(wordOf(kTuneSelector), drive_));
    } else if (idle && value == kTuneMechanical) {
      proposals_.clear();
      if (selectorWritten_)
        start(Kind::Mechanical, mechanicalTests(wordOf(kTuneSelector), drive_, proposals_));
      else
        start(Kind::LoopGain, loopGainAdjust(drive_, autoGain_));
    }
  } else if (r == autoGain_.mode) {
    const bool offlineMode = (drive_.word(kControlWord) & kAutoGainModeMask) == kAutoGainModeOffline;
    if (idle && before != kAdjustStart && value == kAdjustStart && offlineMode)
      start(Kind::AutoGain, offlineAutoGain(drive_, autoGain_));
  } else if (r == kTuneAdopt) {
    if (value == kAdoptNew) adopt();
    if (value == kAdoptNew || value == kDiscardNew) proposals_.clear();
  }
}

void TuningFirmware::start(Kind kind, std::vector<TestPlan> plans) {
  selectorWritten_ = false;
  if (plans.empty()) return;
  kind_ = kind;
  plans_.assign(plans.begin(), plans.end());
  runStartMs_ = nowMs_;
  runTotalMs_ = 0;
  for (const TestPlan& p : plans_) runTotalMs_ += p.durationMs;
  part_ = 0;
  tell(kProgress, 0);
  drive_.motion().hold(true);
  beginPlan(nowMs_);
}

void TuningFirmware::beginPlan(double startMs) {
  planStartMs_ = startMs;
  ++part_;
  tell(kTuneState, part_);
  samples_.clear();
  MechanicsEngine& engine = drive_.motion().engine();
  const TestPlan& plan = plans_.front();
  if (plan.profile)
    engine.runProfile([profile = plan.profile, startMs](double ms) { return profile(ms - startMs); });
  else
    engine.holdSpeed(0);
  // The plan sees its samples on its own clock, from 0 at its start.
  engine.record([this, startMs](const AxisSample& s) {
    AxisSample own = s;
    own.ms -= startMs;
    samples_.push_back(own);
  });
}

double TuningFirmware::nextEventMs() const {
  return running() ? planStartMs_ + plans_.front().durationMs : std::numeric_limits<double>::infinity();
}

void TuningFirmware::atEvent(double ms) {
  // A part of the test is over: its results from what it recorded, then the next part.
  TestPlan plan = std::move(plans_.front());
  plans_.pop_front();
  if (plan.finish) plan.finish(samples_);
  if (running())
    beginPlan(ms);
  else
    finish();
}

void TuningFirmware::advance(double ms) {
  // Parts of a test end when the motion reaches their end, whoever samples it: the trace
  // memory may still sample moments before `ms` after this.
  nowMs_ = ms;
  if ((kind_ == Kind::AutoGain || kind_ == Kind::LoopGain) && running() && runTotalMs_ > 0) {
    const double share = (ms - runStartMs_) / runTotalMs_ * 100;
    tell(kProgress, std::clamp(static_cast<int>(share), 0, kPercentDone));
  }
}

void TuningFirmware::finish() {
  tell(kTuneState, kTuneFinished);
  if (kind_ == Kind::AutoGain || kind_ == Kind::LoopGain) tell(kProgress, kProgressDone);
  kind_ = Kind::None;
  samples_.clear();
  drive_.motion().engine().record({});
  drive_.motion().hold(false);
}

void TuningFirmware::stop() {
  if (!running()) return;
  plans_.clear();
  kind_ = Kind::None;
  samples_.clear();
  drive_.motion().engine().record({});
  drive_.motion().hold(false);
}

void TuningFirmware::adopt() {
  for (const Proposal& p : proposals_) drive_.set(p.working, drive_.word(p.proposed), true);
}

}  // namespace zavo::sim
