#include "trace/TraceScaling.h"

#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"
#include "trace/TraceSources.h"

namespace zavo::trace {
namespace {

constexpr int kLegacySpeedUnit = 16384;
constexpr int kSpeedUnit = 4096;
constexpr int kDefaultRatedSpeed = 3000;
constexpr int kTorqueFullScale = 4096;  // raw per 100 %
constexpr int kPercent = 100;
constexpr int kDegrees = 360;
constexpr int kAngleFullScale = 1023;

}  // namespace

TraceScaling TraceScaling::current() {
  const auto& c = driveContext();
  return TraceScaling{c.ratedSpeed > 0 ? c.ratedSpeed : kDefaultRatedSpeed, c.legacySeries ? kLegacySpeedUnit : kSpeedUnit};
}

std::int32_t TraceScaling::value(int source, std::int32_t raw) const {
  raw = static_cast<std::int16_t>(raw & 0xFFFF);
  switch (TraceSources::kindOf(source)) {
    case SourceKind::Speed: return conversion::scaled(raw, ratedSpeed, speedUnit);
    case SourceKind::Torque: return conversion::scaled(raw, kPercent, kTorqueFullScale);
    case SourceKind::Angle: return conversion::scaled(raw, kDegrees, kAngleFullScale);
    case SourceKind::Digital: return raw > 0 ? 1 : 0;
    case SourceKind::Deviation:
    case SourceKind::None:
    case SourceKind::Unknown: break;
  }
  return raw;
}

}  // namespace zavo::trace
