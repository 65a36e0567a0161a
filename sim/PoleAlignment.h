#pragma once
// Magnetic pole alignment of the virtual drive: 668 = 1 aligns now. The drive puts the
// alignment current (DBD, n/8192 of rated current) into the windings at the angle it
// believes the poles are; the rotor, some way off, is pulled towards them. 66B tells the
// state: 1 while aligning (about a second), then 2 when the rotor moved into line, or 3 when
// the current's torque could not overcome the friction and nothing moved.
//
// 668 stays as written (it is also the setting of the alignment at power-on).

#include <cstdint>

#include "sim/RegisterRange.h"
#include "sim/TuningDrive.h"

namespace zavo::sim {

class PoleAlignment : public RegisterRange, public DriveMotion::Controller {
 public:
  static constexpr double kAlignMs = 1000;
  static constexpr double kMovedRad = 0.01;  // the rotor moved when it turned this far
  static constexpr int kDefaultCurrent = 4096;  // half the rated current

  PoleAlignment(TuningDrive& drive, std::uint64_t seed);

  bool claims(RegisterRef r) const override;
  std::optional<std::uint16_t> read(RegisterRef r) override;
  bool accepts(RegisterRef r, std::uint16_t value) const override;
  void write(RegisterRef r, std::uint16_t value) override;
  void poke(RegisterRef r, std::uint16_t value) override;
  void advance(double ms) override;
  double nextEventMs() const override;
  void atEvent(double ms) override;

 private:
  TuningDrive& drive_;
  static constexpr int kPolePairs = 4;

  double offsetRad_;  // electrical angle between the rotor and where the drive believes it
  std::uint16_t on_ = 0;
  std::uint16_t status_ = 0;
  bool aligning_ = false;
  double startMs_ = 0, nowMs_ = 0;
  double startPosition_ = 0;
};

}  // namespace zavo::sim
