#include "sim/PoleAlignment.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace zavo::sim {
namespace {

using namespace tuning;

bool same(RegisterRef a, RegisterRef b) { return pageIndexOf(a.page) == pageIndexOf(b.page) && a.address == b.address; }

}  // namespace

PoleAlignment::PoleAlignment(TuningDrive& drive, std::uint64_t seed) : drive_(drive) {
  drive_.motion().addController(this);
  // The rotor sits between 30° and 150° electrical off the drive's guess: the pull starts at
  // half of what the current could give, or more.
  const double u = static_cast<double>((seed * 0x9E3779B97F4A7C15ull) >> 11) * 0x1.0p-53;
  offsetRad_ = (30 + 120 * u) * std::numbers::pi / 180;
}

bool PoleAlignment::claims(RegisterRef r) const { return same(r, kPoleAlignOn) || same(r, kPoleAlignStatus); }

std::optional<std::uint16_t> PoleAlignment::read(RegisterRef r) {
  if (same(r, kPoleAlignOn)) return on_;
  if (same(r, kPoleAlignStatus)) return status_;
  return std::nullopt;
}

bool PoleAlignment::accepts(RegisterRef r, std::uint16_t) const { return same(r, kPoleAlignOn); }

void PoleAlignment::poke(RegisterRef r, std::uint16_t value) {
  if (same(r, kPoleAlignOn)) on_ = value;
  if (same(r, kPoleAlignStatus)) status_ = value;
}

void PoleAlignment::write(RegisterRef r, std::uint16_t value) {
  if (!accepts(r, value)) return;
  on_ = value;
  DriveMotion& motion = drive_.motion();
  if (value != 1 || aligning_ || motion.held() || motion.servoOn()) return;
  // The current's torque, pulling the rotor the short way to the poles.
  const double share = static_cast<double>(drive_.word(kPoleAlignCurrent)) / kPoleAlignCurrentUnit;
  motion.sampleAt(nowMs_);
  motion.hold(true);
  startPosition_ = motion.engine().axis().motorPosition();
  motion.engine().pullTo(startPosition_ + offsetRad_ / kPolePairs, share * drive_.ratedTorque(), kPolePairs);
  startMs_ = nowMs_;
  aligning_ = true;
  status_ = kPoleTuning;
}

void PoleAlignment::advance(double ms) { nowMs_ = ms; }

double PoleAlignment::nextEventMs() const {
  return aligning_ ? startMs_ + kAlignMs : std::numeric_limits<double>::infinity();
}

void PoleAlignment::atEvent(double) {
  DriveMotion& motion = drive_.motion();
  const bool moved = std::fabs(motion.engine().axis().motorPosition() - startPosition_) > kMovedRad;
  motion.engine().release();
  motion.hold(false);
  aligning_ = false;
  status_ = moved ? kPoleOk : kPoleAlarm;
}

}  // namespace zavo::sim
