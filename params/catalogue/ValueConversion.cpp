#include "params/catalogue/ValueConversion.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <span>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ParameterCode.h"

namespace zavo::conversion {
namespace {

__extension__ typedef __int128 Wide;

// The items' groups; Pn4 and the linear-motor items are told apart from Pn3 and the extended
// registers by their id.
enum class Group : std::uint8_t { C, T, S, P3, P4, q, H, A, d, U, E, O, OnE, R, G, M, Other };

enum class Kind : std::uint8_t {
  Same,          // unchanged
  Unsigned16,    // the low word as an unsigned number
  Speed,         // speed scaling of the low word as an unsigned number
  SignedSpeed,   // speed scaling of the value as it stands
  Ratio,         // x num / den
  TimesSpeed,    // x num * S / den (den: denLegacy with the legacy series flag)
  PerSpeed,      // x num / (den * S) (num: numLegacy with the legacy series flag)
  Offset,        // + num
  DirectionMap,  // Cn004's four codes
  Thousandths,   // / 1000, truncated toward zero
  Modulo100000,  // values from 100000 keep their remainder
  Div100000,     // 0 below 100000, else the quotient
};

struct Rule {
  Group group;
  int first;
  int last;
  std::uint8_t types;  // bit t: applies on drive type t
  Kind kind;
  std::int64_t num = 1;
  std::int64_t den = 1;
  std::int64_t numLegacy = 1;
  std::int64_t denLegacy = 1;
  bool everyThird = false;  // only items whose number is a multiple of 3
};

constexpr std::uint8_t kAll = 0x1F;
constexpr std::uint8_t kM7 = 0x1C;     // types 2-4
constexpr std::uint8_t kM7Pair = 0x0C; // types 2, 3

// 100 / 4096: percent of rated torque per drive unit.
constexpr std::int64_t kPercent = 100, kTorqueUnit = 4096;
// Factor 0.8188 of the torque-time items and its inverse.
constexpr std::int64_t kTimeNum = 8188, kTimeDen = 10000;
constexpr std::int64_t kSpeedUnit = 16384;  // drive speed units per rated speed (extended items)
constexpr std::int64_t kSpeedRatioNum = 21504;
constexpr std::int64_t kSpeedLimitNum = 21;
// Drive units of the speed-limit words Tn109 and Sn216 (per 21 x rated speed, and per
// 21504 x rated speed).
constexpr std::int64_t kTorqueLimitWord = 262144, kTorqueLimitWordLegacy = 65536;
constexpr std::int64_t kSpeedLimitWord = 268435456, kSpeedLimitWordLegacy = 67108864;

// Raw -> display. The first rule that matches group, item and drive type applies; an item
// without a rule passes unchanged.
constexpr Rule kToDisplay[] = {
    {Group::C, 3, 3, kAll, Kind::Ratio, 1, 10},
    {Group::C, 4, 4, kAll, Kind::DirectionMap},
    {Group::C, 5, 5, kAll, Kind::Same},
    {Group::C, 7, 7, kAll, Kind::Speed},
    {Group::C, 10, 11, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::C, 16, 16, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::C, 17, 17, kAll, Kind::Speed},
    {Group::C, 19, 19, kAll, Kind::Same},
    {Group::C, 21, 21, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::C, 22, 22, kAll, Kind::Speed},
    {Group::C, 24, 24, kAll, Kind::Same},
    {Group::C, 27, 28, kAll, Kind::Offset, -256},
    // Cn051 is written as volts x 8.192; it is read back the same way so that a value read
    // and written again stays what it was.
    {Group::C, 51, 51, kAll, Kind::Ratio, 1000, 8192},
    {Group::C, 41, 53, kAll, Kind::Same},
    {Group::C, 55, 55, kAll, Kind::Same},
    {Group::C, 56, 57, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::C, 58, 72, kAll, Kind::Same},
    {Group::C, 81, 81, kAll, Kind::Same},
    {Group::C, 0, 99, kAll, Kind::Unsigned16},
    {Group::A, 1, 10, kAll, Kind::Unsigned16},
    {Group::d, 1, 4, kAll, Kind::Unsigned16},
    {Group::H, 0, 99, kAll, Kind::Unsigned16},
    {Group::q, 0, 99, kAll, Kind::Unsigned16},
    {Group::T, 1, 2, kAll, Kind::Unsigned16},
    {Group::T, 3, 3, kAll, Kind::Ratio, 1050, 4096},
    {Group::T, 4, 4, kAll, Kind::Ratio, kTimeDen, kTimeNum},
    {Group::T, 5, 7, kAll, Kind::Speed},
    {Group::T, 8, 8, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    // The speed-limit words (Tn109, Sn216) are finer than one rpm/10V on either series, so
    // that every value in range comes back from the drive as it was written: 2^18 and 2^28
    // without the legacy flag, 2^16 and 2^26 with it, in both directions.
    {Group::T, 9, 9, kAll, Kind::TimesSpeed, kSpeedLimitNum, kTorqueLimitWord, 1, kTorqueLimitWordLegacy},
    {Group::S, 1, 3, kAll, Kind::SignedSpeed},
    {Group::S, 4, 14, kAll, Kind::Unsigned16},
    {Group::S, 15, 15, kAll, Kind::Speed},
    {Group::S, 16, 16, kAll, Kind::TimesSpeed, kSpeedRatioNum, kSpeedLimitWord, 1, kSpeedLimitWordLegacy},
    {Group::S, 17, 17, kAll, Kind::Ratio, kTimeDen, kTimeNum},
    {Group::S, 18, 18, kAll, Kind::Speed},
    {Group::P3, 1, 1, kAll, Kind::Unsigned16},
    {Group::P3, 8, 16, kAll, Kind::Unsigned16},
    {Group::P3, 19, 19, kAll & ~kM7Pair, Kind::Unsigned16},
    {Group::P3, 22, 22, kAll & ~kM7Pair, Kind::Unsigned16},
    {Group::P3, 25, 25, kAll & ~kM7Pair, Kind::Unsigned16},
    {Group::P3, 28, 28, kAll, Kind::Unsigned16},
    {Group::P3, 31, 31, kAll & ~0x04, Kind::Unsigned16},
    {Group::P3, 34, 34, kAll, Kind::Unsigned16},
    {Group::P3, 37, 37, kAll, Kind::Unsigned16},
    {Group::P3, 40, 40, kAll, Kind::Unsigned16},
    {Group::P3, 43, 43, kAll, Kind::Unsigned16},
    {Group::P3, 45, 46, kAll, Kind::Unsigned16},
    {Group::P3, 49, 49, kAll, Kind::Unsigned16},
    {Group::P3, 55, 55, kAll, Kind::Unsigned16},
    {Group::P3, 58, 58, kAll, Kind::Unsigned16},
    {Group::P3, 61, 61, kAll, Kind::Unsigned16},
    {Group::P3, 64, 67, kAll, Kind::Unsigned16},
    {Group::P3, 70, 71, kAll, Kind::Unsigned16},
    {Group::P4, 0, 99, kAll, Kind::Unsigned16, 1, 1, 1, 1, true},
    {Group::E, 2, 2, kAll, Kind::Unsigned16},
    {Group::E, 11, 12, kAll, Kind::Unsigned16},
    {Group::E, 14, 17, kAll, Kind::Unsigned16},
    {Group::E, 21, 21, kAll, Kind::Unsigned16},
    {Group::O, 1, 4, kAll, Kind::Unsigned16},
    {Group::O, 8, 8, kAll, Kind::Unsigned16},
    {Group::O, 6, 6, kAll, Kind::TimesSpeed, 1, kSpeedUnit, 1, kSpeedUnit},
    {Group::O, 7, 7, kAll, Kind::TimesSpeed, 10000, kSpeedUnit, 10000, kSpeedUnit},
    {Group::U, 1, 1, kAll, Kind::SignedSpeed},
    {Group::U, 2, 2, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::U, 3, 3, kAll, Kind::Thousandths},
    {Group::U, 4, 5, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::U, 6, 6, kAll, Kind::TimesSpeed, 1, 268435456, 1, 1073741824},
    {Group::U, 9, 9, kAll, Kind::Ratio, 500, 4096},
    {Group::U, 10, 10, kM7, Kind::Ratio, 500, 4095},
    {Group::U, 10, 10, kAll, Kind::Ratio, 502, 1024},
    {Group::U, 11, 11, kAll, Kind::TimesSpeed, 1, kSpeedUnit, 1, kSpeedUnit},
    {Group::U, 12, 13, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::U, 25, 25, kM7, Kind::Modulo100000},
    {Group::U, 26, 26, kM7Pair, Kind::Div100000},
    {Group::U, 28, 28, kAll, Kind::Ratio, kPercent, kTorqueUnit},
    {Group::U, 34, 34, kAll, Kind::Ratio, kPercent, kTorqueUnit},
};

// Display -> raw; every item without a rule is sent unchanged.
constexpr Rule kToRaw[] = {
    {Group::C, 3, 3, kAll, Kind::Ratio, 10, 1},
    {Group::C, 4, 4, kAll, Kind::DirectionMap},
    {Group::C, 7, 7, kAll, Kind::Speed},
    {Group::C, 10, 11, kAll, Kind::Ratio, kTorqueUnit, kPercent},
    {Group::C, 16, 16, kAll, Kind::Ratio, kTorqueUnit, kPercent},
    {Group::C, 17, 17, kAll, Kind::Speed},
    {Group::C, 21, 21, kAll, Kind::Ratio, kTorqueUnit, kPercent},
    {Group::C, 22, 22, kAll, Kind::Speed},
    {Group::C, 27, 28, kAll, Kind::Offset, 256},
    {Group::C, 51, 51, kAll, Kind::Ratio, 8192, 1000},
    {Group::C, 56, 57, kAll, Kind::Ratio, kTorqueUnit, kPercent},
    {Group::S, 1, 3, kAll, Kind::Speed},
    {Group::S, 15, 15, kAll, Kind::Speed},
    {Group::S, 18, 18, kAll, Kind::Speed},
    {Group::S, 16, 16, kAll, Kind::PerSpeed, kSpeedLimitWord, kSpeedRatioNum, kSpeedLimitWordLegacy, 1},
    {Group::S, 17, 17, kAll, Kind::Ratio, kTimeNum, kTimeDen},
    {Group::T, 3, 3, kAll, Kind::Ratio, 4096, 1050},
    {Group::T, 4, 4, kAll, Kind::Ratio, kTimeNum, kTimeDen},
    {Group::T, 5, 7, kAll, Kind::Speed},
    {Group::T, 8, 8, kAll, Kind::Ratio, kTorqueUnit, kPercent},
    {Group::T, 9, 9, kAll, Kind::PerSpeed, kTorqueLimitWord, kSpeedLimitNum, kTorqueLimitWordLegacy, 1},
    {Group::O, 6, 6, kAll, Kind::PerSpeed, kSpeedUnit, 1, kSpeedUnit, 1},
    {Group::O, 7, 7, kAll, Kind::PerSpeed, kSpeedUnit, 10000, kSpeedUnit, 1},
    {Group::G, 1, 3, kAll, Kind::Speed},
    {Group::G, 4, 4, kAll, Kind::Ratio, kTorqueUnit, kPercent},
    {Group::M, 1, 1, kAll, Kind::PerSpeed, kSpeedUnit, 1, kSpeedUnit, 1},
    {Group::M, 10, 10, kAll, Kind::Ratio, kTorqueUnit, kPercent},
};

// Speed units per rated speed: 16384 on the legacy series, 4096 otherwise.
constexpr std::int64_t kLegacySpeedUnit = 16384;
constexpr std::int64_t kSpeedUnitNow = 4096;
constexpr int kLinearMotorIdBase = 2000;
constexpr int kPn4IdBase = 400;
constexpr std::int32_t kHundredThousand = 100000;
constexpr int kThousand = 1000;

std::atomic<TraceRule> traceRule{nullptr};

std::int32_t clamp32(Wide v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

Wide scaledWide(Wide value, Wide num, Wide den) {
  if (den == 0) return value;
  if (den < 0) {
    den = -den;
    num = -num;
  }
  const Wide p = value * num;
  const Wide magnitude = ((p < 0 ? -p : p) * 2 + den) / (2 * den);
  return p < 0 ? -magnitude : magnitude;
}

// Rated speed; a drive that reported none is scaled as the default motor rather than divided
// by zero.
std::int64_t ratedSpeed() { return driveContext().effectiveRatedSpeed(); }

std::int64_t speedUnit() { return driveContext().legacySeries ? kLegacySpeedUnit : kSpeedUnitNow; }

std::int32_t lowWord(std::int32_t v) { return v & 0xFFFF; }
std::int32_t signedWord(std::int32_t v) { return static_cast<std::int16_t>(v & 0xFFFF); }

Group groupOf(char letter, int id) {
  switch (letter) {
    case 'C': return Group::C;
    case 'T': return Group::T;
    case 'S': return Group::S;
    case 'P': return id > kPn4IdBase ? Group::P4 : Group::P3;
    case 'q': return Group::q;
    case 'H': return Group::H;
    case 'A': return Group::A;
    case 'd': return Group::d;
    case 'U': return Group::U;
    case 'E': return Group::E;
    case 'O': return id > kLinearMotorIdBase ? Group::OnE : Group::O;
    case 'R': return Group::R;
    case 'G': return Group::G;
    case 'M': return Group::M;
    default: return Group::Other;
  }
}

const Rule* find(std::span<const Rule> rules, Group g, int item) {
  const int type = driveContext().driveType;
  for (const auto& r : rules) {
    if (r.group != g || item < r.first || item > r.last) continue;
    if (type >= 0 && type < 8 && !((r.types >> type) & 1)) continue;
    if (r.everyThird && item % 3 != 0) continue;
    return &r;
  }
  return nullptr;
}

std::int32_t apply(const Rule& r, std::int32_t v, bool toRawDirection, catalogue::WordKind word) {
  const bool legacy = driveContext().legacySeries;
  switch (r.kind) {
    case Kind::Same: return v;
    // The word rule of a group yields to what the catalogue knows of the item: a 32-bit
    // value keeps its high word, a parameter that can be negative keeps its sign.
    case Kind::Unsigned16:
      if (word == catalogue::WordKind::Wide) return v;
      return word == catalogue::WordKind::Signed ? signedWord(v) : lowWord(v);
    case Kind::Speed:
      return toRawDirection ? speedToRaw(v) : speedToDisplay(lowWord(v));
    case Kind::SignedSpeed:
      return toRawDirection ? speedToRaw(v) : clamp32(scaledWide(v, ratedSpeed(), speedUnit()));
    case Kind::Ratio: return clamp32(scaledWide(v, r.num, r.den));
    case Kind::TimesSpeed:
      return clamp32(scaledWide(v, static_cast<Wide>(r.num) * ratedSpeed(), legacy ? r.denLegacy : r.den));
    case Kind::PerSpeed:
      return clamp32(scaledWide(v, legacy ? r.numLegacy : r.num, static_cast<Wide>(r.den) * ratedSpeed()));
    case Kind::Offset: return clamp32(static_cast<Wide>(v) + r.num);
    case Kind::DirectionMap:
      if (toRawDirection) {
        switch (v) {
          case 0: return 1;
          case 1: return 257;
          case 2: return 0;
          case 3: return 256;
          default: return v;
        }
      }
      switch (v) {
        case 0: return 2;
        case 1: return 0;
        case 256: return 3;
        case 257: return 1;
        default: return v;
      }
    case Kind::Thousandths: return v / kThousand;
    case Kind::Modulo100000: return v >= kHundredThousand ? v % kHundredThousand : v;
    case Kind::Div100000: return v < kHundredThousand ? 0 : v / kHundredThousand;
  }
  return v;
}

}  // namespace

std::int32_t scaled(std::int64_t value, std::int64_t num, std::int64_t den) {
  return clamp32(scaledWide(value, num, den));
}

std::int32_t speedToDisplay(std::int32_t raw) { return clamp32(scaledWide(raw, ratedSpeed(), speedUnit())); }

std::int32_t speedToRaw(std::int32_t display) { return clamp32(scaledWide(display, speedUnit(), ratedSpeed())); }

std::int32_t toDisplay(char letter, int item, std::int32_t raw, int id) {
  const Group g = groupOf(letter, id);
  if (g == Group::OnE) return raw;  // the linear-motor data travel in drive units both ways
  if (g == Group::R) {
    const TraceRule rule = traceRule.load();
    return rule ? rule(item, raw) : raw;
  }
  // A 16-bit parameter that can be negative arrives as an unsigned word; it is read back
  // with its sign so that what was written reads back the same.
  const catalogue::WordKind word = catalogue::wordKind(letter, item, id);
  if (word == catalogue::WordKind::Signed) raw = signedWord(raw);
  const Rule* r = find(kToDisplay, g, item);
  return r ? apply(*r, raw, false, word) : raw;
}

std::int32_t toRaw(char letter, int item, std::int32_t display, int id) {
  const Group g = groupOf(letter, id);
  if (g == Group::OnE) return display;
  const Rule* r = find(kToRaw, g, item);
  return r ? apply(*r, display, true, catalogue::WordKind::Unknown) : display;
}

std::int32_t toDisplay(std::string_view code, std::int32_t raw) {
  const auto key = catalogue::parseCode(code);
  if (!key) return raw;
  return toDisplay(catalogue::groupLetter(code), key->number, raw, catalogue::idOfKey(*key));
}

std::int32_t toRaw(std::string_view code, std::int32_t display) {
  const auto key = catalogue::parseCode(code);
  if (!key) return display;
  return toRaw(catalogue::groupLetter(code), key->number, display, catalogue::idOfKey(*key));
}

void setTraceRule(TraceRule rule) { traceRule.store(rule); }

}  // namespace zavo::conversion
