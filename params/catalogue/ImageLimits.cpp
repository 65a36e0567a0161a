// fillLimits / fillDefaults: the catalogue's rows written into a document's images, with the
// limits and defaults that depend on the motor data worked out here.

#include <algorithm>
#include <cstdint>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/CatalogueIndex.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::catalogue {
namespace {

// Drive speed units per rated speed: the legacy series and the others.
constexpr std::int64_t kLegacySpeedUnit = 16384;
constexpr std::int64_t kSpeedUnit = 4096;

// The gear-scale factor is a ratio to this.
constexpr std::int64_t kGearScaleUnit = 600;

// Encoder resolutions that change Cn005's range on the M7 family.
constexpr int kEncoder10000 = 10000;
constexpr int kEncoder32768 = 32768;
constexpr int kEncoder23Bit = 8388608;
constexpr std::int32_t kOutputMin = 16;
constexpr std::int32_t kOutputMaxOlder = 8192;
constexpr std::int32_t kOutputMaxPdxa = 63;
constexpr std::int32_t kOutputMaxSmall = 16384;
constexpr std::int32_t kOutputMaxHigh = 2097152;
constexpr std::int32_t kOutputMaxDefault = 32768;
// Model codes whose low nibble names the encoder fitted.
constexpr int kModelNibble13Bit = 0x5;
constexpr int kModelNibble15Bit = 0x7;
constexpr int kModelNibbleNoEncoderType = 0xA;
constexpr std::int32_t kEncoderTypeDefault = 256;

std::int32_t clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::int64_t gearScaled(std::int64_t v, const DriveContext& c) {
  return c.linkOpen && c.gearScale != 0 ? v * c.gearScale / kGearScaleUnit : v;
}

// Rated speed x 4, or x 1.5 for a linear-motor set-up; scaled by the gear factor while linked.
std::int64_t speedLimit(const DriveContext& c) {
  const std::int64_t rated = c.effectiveRatedSpeed();
  return gearScaled(c.linearMotor ? rated * 3 / 2 : rated * 4, c);
}

// The largest speed whose drive word still fits in 16 bits (unsigned, or signed for speeds
// with a direction): on the legacy series four times the rated speed does not, and a limit
// beyond the word would let a value through that reaches the drive cut to its low bits.
std::int64_t speedWordCap(const DriveContext& c, bool withSign) {
  const std::int64_t unit = c.legacySeries ? kLegacySpeedUnit : kSpeedUnit;
  const std::int64_t rated = c.effectiveRatedSpeed();
  const std::int64_t twiceMaxWord = withSign ? 2 * 0x7FFF + 1 : 2 * 0xFFFF + 1;
  return (twiceMaxWord * rated - 1) / (2 * unit);
}

std::int32_t cappedSpeed(const DriveContext& c, bool withSign) {
  return clamp32(std::min(speedLimit(c), speedWordCap(c, withSign)));
}

std::int32_t encoderOutputMax(const DriveContext& c) {
  switch (c.driveType) {
    case 0:
    case 3: return kOutputMaxOlder;
    case 1: return kOutputMaxPdxa;
    default:
      if (c.encoderPulses == kEncoder10000 || c.encoderPulses == kEncoder32768) return kOutputMaxSmall;
      if (c.encoderPulses == kEncoder23Bit) return kOutputMaxHigh;
      return kOutputMaxDefault;
  }
}

Limits rowLimits(const CatalogueRow& r, const DriveContext& c) {
  Limits l{r.min, r.max, r.def};
  const int nibble = c.modelCode & 0xF;
  switch (r.rule) {
    case Rule::Fixed: break;
    case Rule::Speed: l.max = cappedSpeed(c, false); break;
    case Rule::SignedSpeed:
      l.max = cappedSpeed(c, true);
      l.min = -l.max;
      break;
    case Rule::SpeedReached:
      l.max = cappedSpeed(c, false);
      l.def = clamp32(gearScaled((static_cast<std::int64_t>(c.effectiveRatedSpeed()) + 2) / 3, c));
      break;
    case Rule::EncoderOutput:
      l.min = kOutputMin;
      l.max = encoderOutputMax(c);
      l.def = nibble == kModelNibble13Bit ? kOutputMaxOlder
              : nibble == kModelNibble15Bit ? kEncoder32768
                                            : c.encoderPulses;
      break;
    case Rule::ModelCode: l.def = c.modelCode; break;
    case Rule::EncoderType:
      l.def = nibble == kModelNibble13Bit || nibble == kModelNibbleNoEncoderType ? 0 : kEncoderTypeDefault;
      break;
    case Rule::MainsVoltage:
      // The row holds the 200 V class; a 400 V drive doubles it.
      if (c.highVoltage) {
        l.min *= 2;
        l.max *= 2;
        l.def *= 2;
      }
      break;
    case Rule::TwiceRated: l.max = clamp32(2LL * c.effectiveRatedSpeed()); break;
  }
  // A default outside its own limits would be refused by the editor and the drive alike;
  // it is brought to the nearest limit.
  if (l.min <= l.max) l.def = std::clamp(l.def, l.min, l.max);
  return l;
}

template <typename Apply>
void forEachSlot(ParameterImages& images, Apply apply) {
  const DriveContext& c = driveContext();
  const auto& idx = CatalogueIndex::instance();
  for (int f = 0; f < kDocumentFamilyCount; ++f) {
    GroupImage& g = images[static_cast<ParamGroup>(f)];
    for (int n = 1; n <= g.slots(); ++n) {
      const CatalogueRow* r = n <= kMaxNumber ? idx.row(Key{static_cast<Family>(f), n}, c.driveType) : nullptr;
      const Limits l = r ? rowLimits(*r, c) : Limits{};
      apply(g, static_cast<std::size_t>(n), l);
    }
  }
}

}  // namespace

bool limitsOf(std::string_view code, Limits& out) {
  out = {};
  const auto key = parseCode(code);
  const DriveContext& c = driveContext();
  const CatalogueRow* r = key ? CatalogueIndex::instance().row(*key, c.driveType) : nullptr;
  if (!r) return false;
  out = rowLimits(*r, c);
  return true;
}

void fillLimits(ParameterImages& images) {
  forEachSlot(images, [](GroupImage& g, std::size_t n, const Limits& l) {
    g.min[n] = l.min;
    g.max[n] = l.max;
  });
}

void fillDefaults(ParameterImages& images) {
  forEachSlot(images, [](GroupImage& g, std::size_t n, const Limits& l) { g.def[n] = l.def; });
}

}  // namespace zavo::catalogue
