#pragma once
// One row of the catalogue tables: everything the catalogue knows about one parameter code on
// the drive types the row applies to. A code whose answers differ by drive type has one row
// per variant; the first row whose type set holds the drive type answers.
//
// Internal to the catalogue: other subsystems ask through Catalogue.h.

#include <cstdint>
#include <span>

#include "params/catalogue/Unit.h"

namespace zavo::catalogue {

// Drive types a row applies to, one bit per type (bit t = type t).
using TypeSet = std::uint8_t;
inline constexpr TypeSet kType0 = 0x01;
inline constexpr TypeSet kType1 = 0x02;
inline constexpr TypeSet kType2 = 0x04;
inline constexpr TypeSet kType3 = 0x08;
inline constexpr TypeSet kType4 = 0x10;
inline constexpr TypeSet kOlderTypes = kType0 | kType1;       // PDXR, PDXA
inline constexpr TypeSet kM7Types = kType2 | kType3 | kType4;  // M7 family
inline constexpr TypeSet kAllTypes = kOlderTypes | kM7Types;

// Limits and defaults that depend on the motor data rather than on the row's constants.
enum class Rule : std::uint8_t {
  Fixed,          // min, max and default as written
  Speed,          // 0 .. speed limit
  SignedSpeed,    // -speed limit .. speed limit
  SpeedReached,   // Cn007: 0 .. speed limit, default a third of the rated speed
  EncoderOutput,  // Cn005: limits by encoder resolution, default the resolution
  ModelCode,      // Cn030: default the drive model code
  EncoderType,    // Cn031: default 256, 0 for model codes ending in 5 or 0xA
  MainsVoltage,   // Cn051: 170-190 (default 190), on a 400 V drive 340-380 (default 380)
  TwiceRated,     // internal position move speed: 0 .. twice the rated speed
};

struct CatalogueRow {
  const char* code;         // spelled as on the M7 family (qn5nn, Hn6nn)
  TypeSet types;
  std::uint32_t attributes;
  std::uint16_t reg;        // register code, 0 = not transferred
  std::int32_t min;
  std::int32_t max;
  std::int32_t def;
  Rule rule;
  std::uint16_t titleId;
  std::uint8_t titleArg;    // the %d of a formatted title, 0 for a plain one
  Unit unit;
  std::uint32_t modes;      // control-mode mask of the Parameter Set editor
};

// A 32-bit item: its low word lives at the row's register, its high word here. The
// direct-write pair addresses both words after a store on drive types 2 and 3.
struct WideRow {
  const char* code;
  TypeSet types;
  std::uint16_t highReg;
  std::uint16_t directLow;   // register numbers, page digit + address
  std::uint16_t directHigh;
  bool extendedMonitorOnly;  // a monitor item that is 32-bit only with the extended monitor
};

// The tables, one per family of groups (CatalogueData*.cpp).
std::span<const CatalogueRow> controlRows();       // Cn
std::span<const CatalogueRow> torqueSpeedRows();   // Tn, Sn
std::span<const CatalogueRow> positionRows();      // Pn3, Pn4
std::span<const CatalogueRow> setupRows();         // qn, Hn, tn, ECA
std::span<const CatalogueRow> extendedRows();      // OnT, OnS, Ond, OnC, OnA, OnE
std::span<const CatalogueRow> monitorRows();       // Un, dn, AL
std::span<const WideRow> wideRows();

}  // namespace zavo::catalogue
