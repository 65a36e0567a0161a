#include "app/MotorCodeText.h"

#include <array>
#include <vector>

namespace zavo {
namespace {

struct PowerRow {
  const char* text;
  std::vector<int> values;
};

// Ranges of the table are written out, so each row reads as the list of codes it covers.
const std::array<PowerRow, 48> kPower{{
    {"0.05KW 3000rpm", {1, 5}},
    {"0.1KW 3000rpm", {2, 3, 4, 6, 7, 17}},
    {"0.2KW 3000rpm", {8, 9, 19, 22, 25, 26}},
    {"0.3KW 3000rpm", {18}},
    {"0.4KW 3000rpm", {20, 21, 23, 28, 29, 30, 34, 38, 39, 43, 44}},
    {"0.5KW 3000rpm", {24}},
    {"0.6KW 3000rpm", {16}},
    {"0.63KW 1500rpm", {27, 42}},
    {"0.75KW 3000rpm", {33, 35, 40, 45, 46, 49, 54, 59, 60, 61}},
    {"0.55KW 1000rpm", {36}},
    {"0.55KW 1500rpm", {37}},
    {"0.7KW 1000rpm", {41}},
    {"0.85KW 1500rpm", {62, 91}},
    {"1.0KW 1000rpm", {50}},
    {"1.0KW 1500rpm", {52, 55, 86}},
    {"1.0KW 2000rpm", {51, 56, 87}},
    {"1.0KW 3000rpm", {53, 57, 88}},
    {"1.2KW 3000rpm", {48}},
    {"1.3KW 1500rpm", {92, 116}},
    {"1.5KW 1000rpm", {81}},
    {"1.5KW 1500rpm", {89}},
    {"1.5KW 2000rpm", {58, 82}},
    {"1.5KW 3000rpm", {80, 83}},
    {"1.8KW 1500rpm", {117, 118}},
    {"1.9KW 1500rpm", {123}},
    {"2.0KW 2000rpm", {84, 90, 124}},
    {"2.0KW 3000rpm", {85, 125}},
    {"2.7KW 1500rpm", {132}},
    {"2.9KW 1000rpm", {135}},
    {"2.9KW 1500rpm", {133}},
    {"3.0KW 1500rpm", {112, 115, 119, 126, 128, 131}},
    {"3.0KW 2000rpm", {113, 127}},
    {"3.0KW 3000rpm", {114}},
    {"3.7KW 1000rpm", {121, 137}},
    {"3.7KW 1500rpm", {140}},
    {"4.3KW 1500rpm", {120, 136}},
    {"4.4KW 1500rpm", {130, 141, 147, 148}},
    {"4.4KW 2000rpm", {134}},
    {"4.5KW 1500rpm", {129}},
    {"5.0KW 3000rpm", {139, 150, 152}},
    {"5.5KW 1500rpm", {122, 138, 146, 149, 151, 155, 162, 163}},
    {"5.6KW 1500rpm", {145}},
    {"7.5KW 1500rpm", {161, 164, 165, 166, 179, 181}},
    {"11.0KW 1000rpm", {154}},
    {"11.0KW 1500rpm", {177, 180}},
    {"15.0KW 1500rpm", {178, 182}},
    {"18.5KW 1000rpm", {153}},
    {"18.5KW 1500rpm", {176}},
}};

// Capacity columns: naming style 1, naming style 2, default style with bits 12-15 = 1,
// default style otherwise; rows by bits 8-11 (0x0-0xB).
constexpr const char* kNone = "----";
constexpr std::array<std::array<const char*, 4>, 12> kCapacity{{
    {"N0000", "001-2", "10A", "10B"},
    {"N0100", "004-2", "15A", "15B"},
    {"N0200", "007-2", "20A", "25B"},
    {"N0300", "010-2", "30A", "35B"},
    {kNone, kNone, kNone, "50B"},
    {"N0500", "020-23", "50A", "75B"},
    {kNone, kNone, kNone, "100B"},
    {"N0700", "030-23", "75A", "150B"},
    {"N1000", "044-23", "100A", "200B"},
    {"N1500", "055-23", "150A", kNone},
    {"N2000", "075-23", "200A", kNone},
    {"N3000", "150-23", "300A", kNone},
}};

}  // namespace

std::string motorPowerText(std::uint16_t motorCode) {
  const int key = (motorCode >> 4) & 0xFF;
  for (const PowerRow& row : kPower)
    for (int v : row.values)
      if (v == key) return row.text;
  return {};
}

std::string encoderText(std::uint16_t motorCode) {
  switch (motorCode & 0x0F) {
    case 0:
    case 1: return " 2500ppr";
    case 2: return " 8192ppr";
    case 5: return " 15bit(ABS)";
    case 7: return " 17bit";
    case 10: return " 17bit(ABS)";
    case 12: return " 23bit";
    default: return " 23bit(ABS)";
  }
}

std::string motorTypeText(std::uint16_t motorCode) {
  const std::string power = motorPowerText(motorCode);
  if (power.empty()) return "---------------------";
  return power + encoderText(motorCode);
}

std::string capacityText(std::uint16_t motorCode, NamingStyle style) {
  const unsigned row = (motorCode >> 8) & 0x0F;
  if (row >= kCapacity.size()) return kNone;
  std::size_t column = 3;
  if (style == NamingStyle::Style1)
    column = 0;
  else if (style == NamingStyle::Style2)
    column = 1;
  else if (((motorCode >> 12) & 0x0F) == 1)
    column = 2;
  return kCapacity[row][column];
}

}  // namespace zavo
