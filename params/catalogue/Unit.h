#pragma once
// The unit vocabulary of the parameter list, one enumerator per text.

#include <cstdint>
#include <string_view>

namespace zavo::catalogue {

enum class Unit : std::uint8_t {
  None,
  Ms, Hz, RpsPerSecond, Pulse, Times0_2ms, Times0_1, Times40mV, Times4ms, Volt, Times250ms,
  Times10ms, Times200us, Times1ms, Degree, Degree0_01, Mm, Mm0_1, RevTenThousandth, RadPerSecond,
  Rpm, RpmPer10V, PercentPer10V, Percent, MilliVolt, Us, Sec, KHz, Ppr, PerSecond, Times10usec,
  Ms0_4, PulsePerRev, Bit, Hz0_1, Times2ms, Rev, Ms0_1, Percent0_10, Percent0_1, Ratio0_0001,
  Rev0_1, Watt, V, MmPerSecond, Ns20, Hour, Deg0_1,
  EncoderClass,  // Cn005: the division class of the current encoder resolution
};

// The unit's text ("" for None and for EncoderClass, which the catalogue computes).
std::string_view unitText(Unit unit);

}  // namespace zavo::catalogue
