#pragma once
// Raw trace samples into the units of their source. The speed scaling takes the motor's rated
// speed S and the speed unit F (16384 on the legacy series, else 4096) once, when a capture
// starts, so that a capture is converted alike from its first record to its last.

#include <cstdint>

namespace zavo::trace {

struct TraceScaling {
  int ratedSpeed = 3000;  // S, rpm
  int speedUnit = 4096;   // F

  // S and F of the drive as last read (the drive context).
  static TraceScaling current();

  // The value of raw sample `raw` (a signed 16-bit word) of `source`, rounded half away from
  // zero: speeds r × S / F, torques and currents r × 100 / 4096, the deviation r, the angle
  // r × 360 / 1023, digital 1 when r > 0. Sources the program does not scale (none, the
  // deviation's high word) pass through.
  std::int32_t value(int source, std::int32_t raw) const;
};

}  // namespace zavo::trace
