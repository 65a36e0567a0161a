// Catalogue rows: the torque group Tn and the speed group Sn.
// Columns: code, drive types, attribute word, register code, minimum, maximum, default, rule
// for limits and defaults that follow the motor data, title string id, title argument (the %d
// of a formatted title), unit, control-mode mask. A code whose answers differ by drive type
// has one row per variant.

#include "params/catalogue/CatalogueRow.h"

namespace zavo::catalogue {
namespace {

constexpr CatalogueRow kRows[] = {
    {"Tn101", kAllTypes, 0x1F000, 0x438C, 0, 2, 0, Rule::Fixed, 61735, 0, Unit::None, 0x01000},
    {"Tn102", kAllTypes, 0x1F000, 0x3523, 0, 1, 0, Rule::Fixed, 61736, 0, Unit::None, 0x01000},
    {"Tn103", kAllTypes, 0x1F000, 0x3521, 0, 300, 100, Rule::Fixed, 61737, 0, Unit::PercentPer10V, 0x01000},
    {"Tn104", kAllTypes, 0x1F000, 0x3522, 0, 10000, 0, Rule::Fixed, 61738, 0, Unit::Ms, 0x01000},
    {"Tn105", kAllTypes, 0x1F000, 0x3526, 0, 12000, 100, Rule::Speed, 61739, 0, Unit::Rpm, 0x01000},
    {"Tn106", kAllTypes, 0x1F000, 0x3527, 0, 12000, 200, Rule::Speed, 61740, 0, Unit::Rpm, 0x01000},
    {"Tn107", kAllTypes, 0x1F000, 0x3528, 0, 12000, 300, Rule::Speed, 61741, 0, Unit::Rpm, 0x01000},
    {"Tn108", kOlderTypes, 0x1F000, 0x35CD, 0, 300, 300, Rule::Fixed, 61742, 0, Unit::Percent, 0x11111},
    {"Tn108", kM7Types, 0x1F000, 0x4330, 0, 300, 300, Rule::Fixed, 61742, 0, Unit::Percent, 0x11111},
    {"Tn109", kType0, 0x1E000, 0x0595, 0, 4500, 3000, Rule::Fixed, 62175, 0, Unit::RpmPer10V, 0x01000},
    {"Tn109", kM7Types | kType1, 0x1E000, 0x430D, 0, 4500, 3000, Rule::Fixed, 62175, 0, Unit::RpmPer10V, 0x01000},
    {"Tn110", kAllTypes, 0x1E000, 0x3520, 0, 300, 100, Rule::Fixed, 62176, 0, Unit::Percent, 0x01000},
    {"Tn111", kAllTypes, 0x02000, 0x43F3, 0, 1000, 0, Rule::Fixed, 61983, 0, Unit::Ms, 0x01000},
    {"Tn112", kAllTypes, 0x02000, 0x4302, -100, 100, 0, Rule::Fixed, 62177, 0, Unit::Percent, 0x01000},
    {"Sn201", kAllTypes, 0x1F000, 0x3536, -12000, 12000, 100, Rule::SignedSpeed, 61620, 0, Unit::Rpm, 0x00100},
    {"Sn202", kAllTypes, 0x1F000, 0x3537, -12000, 12000, 200, Rule::SignedSpeed, 61621, 0, Unit::Rpm, 0x00100},
    {"Sn203", kAllTypes, 0x1F000, 0x3538, -12000, 12000, 300, Rule::SignedSpeed, 61622, 0, Unit::Rpm, 0x00100},
    {"Sn204", kOlderTypes, 0x1F000, 0x3529, 0, 2, 0, Rule::Fixed, 61623, 0, Unit::None, 0x00100},
    {"Sn204", kM7Types, 0x1F000, 0x3529, 0, 2, 0, Rule::Fixed, 61623, 0, Unit::None, 0x11111},
    {"Sn205", kAllTypes, 0x1F000, 0x352A, 0, 3, 0, Rule::Fixed, 61624, 0, Unit::None, 0x00100},
    {"Sn206", kAllTypes, 0x1F000, 0x352B, 1, 50000, 1, Rule::Fixed, 61625, 0, Unit::Ms, 0x00100},
    {"Sn207", kAllTypes, 0x1F000, 0x352C, 1, 50000, 1, Rule::Fixed, 61626, 0, Unit::Ms, 0x00100},
    {"Sn208", kOlderTypes, 0x1F000, 0x35F1, 1, 5000, 1, Rule::Fixed, 61627, 0, Unit::Ms, 0x00100},
    {"Sn208", kM7Types, 0x1F000, 0x4344, 1, 5000, 1, Rule::Fixed, 61627, 0, Unit::Ms, 0x00100},
    {"Sn209", kOlderTypes, 0x1F000, 0x35F2, 1, 5000, 1, Rule::Fixed, 61628, 0, Unit::Ms, 0x00100},
    {"Sn209", kM7Types, 0x1F000, 0x4345, 1, 5000, 1, Rule::Fixed, 61628, 0, Unit::Ms, 0x00100},
    {"Sn210", kOlderTypes, 0x1F000, 0x35F3, 1, 5000, 1, Rule::Fixed, 61629, 0, Unit::Ms, 0x00100},
    {"Sn210", kM7Types, 0x1F000, 0x4346, 1, 5000, 1, Rule::Fixed, 61629, 0, Unit::Ms, 0x00100},
    {"Sn211", kAllTypes, 0x1F000, 0x3530, 10, 4500, 40, Rule::Fixed, 61630, 0, Unit::Hz, 0x00111},
    {"Sn212", kAllTypes, 0x1F000, 0x3531, 1, 5000, 100, Rule::Fixed, 61631, 0, Unit::Times0_2ms, 0x00111},
    {"Sn213", kAllTypes, 0x1F000, 0x353A, 10, 4500, 40, Rule::Fixed, 61632, 0, Unit::Hz, 0x00111},
    {"Sn214", kAllTypes, 0x1F000, 0x353B, 1, 5000, 100, Rule::Fixed, 61633, 0, Unit::Times0_2ms, 0x00111},
    {"Sn215", kOlderTypes, 0x1F000, 0x3532, 0, 12000, 0, Rule::Speed, 61634, 0, Unit::Rpm, 0x00100},
    {"Sn215", kM7Types, 0x1F000, 0x3532, 0, 12000, 0, Rule::Speed, 61634, 0, Unit::Rpm, 0x11111},
    {"Sn216", kAllTypes, 0x1F000, 0x3533, 0, 4500, 3000, Rule::Fixed, 61635, 0, Unit::RpmPer10V, 0x00100},
    {"Sn217", kAllTypes, 0x1F002, 0x3534, 0, 10000, 0, Rule::Fixed, 61636, 0, Unit::Ms, 0x00100},
    {"Sn218", kOlderTypes, 0x1F000, 0x3599, 0, 12000, 10, Rule::Speed, 61637, 0, Unit::Rpm, 0x00100},
    {"Sn218", kM7Types, 0x1F000, 0x4311, 0, 12000, 10, Rule::Speed, 61637, 0, Unit::Rpm, 0x00100},
    {"Sn219", kAllTypes, 0x16000, 0x43E5, 10, 500, 100, Rule::Fixed, 62178, 0, Unit::Percent, 0x00100},
    {"Sn220", kAllTypes, 0x16000, 0x43E6, 0, 100, 0, Rule::Fixed, 62179, 0, Unit::Percent, 0x00100},
    {"Sn221", kAllTypes, 0x16000, 0x43E7, 0, 5000, 0, Rule::Fixed, 62180, 0, Unit::Times0_2ms, 0x00100},
    {"Sn222", kAllTypes, 0x1F0E0, 0x43FF, 0, 4369, 0, Rule::Fixed, 62181, 0, Unit::None, 0x00100},
    {"Sn223", kAllTypes, 0x16000, 0x4441, 10, 4500, 40, Rule::Fixed, 62182, 0, Unit::Hz, 0x00100},
    {"Sn224", kAllTypes, 0x16000, 0x4442, 1, 5000, 100, Rule::Fixed, 62183, 0, Unit::Times0_2ms, 0x00100},
    {"Sn225", kAllTypes, 0x16000, 0x4410, 0, 10000, 0, Rule::Fixed, 62184, 0, Unit::Ms, 0x00100},
};

}  // namespace

std::span<const CatalogueRow> torqueSpeedRows() { return kRows; }

}  // namespace zavo::catalogue
