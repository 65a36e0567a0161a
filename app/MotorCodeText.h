#pragma once
// The motor code word the drive reports ('5', 0x0C), read as texts for the status bar:
// bits 4-11 the motor's rated power and speed, bits 0-3 its encoder, bits 8-15 the drive's
// capacity.

#include <cstdint>
#include <string>

namespace zavo {

// The parameter naming style of the catalogue: 0 the default, 1 and 2 the alternatives.
enum class NamingStyle { Default = 0, Style1 = 1, Style2 = 2 };

// Power and speed of bits 4-11, e.g. "0.4KW 3000rpm"; "" for a value not in the table.
std::string motorPowerText(std::uint16_t motorCode);
// Encoder of bits 0-3 with its leading space, e.g. " 17bit".
std::string encoderText(std::uint16_t motorCode);
// Power, speed and encoder; "---------------------" (and no encoder) for an unknown motor.
std::string motorTypeText(std::uint16_t motorCode);
// Drive capacity of bits 8-11, the column chosen by the naming style and bits 12-15; "----"
// where the table has no entry.
std::string capacityText(std::uint16_t motorCode, NamingStyle style);

}  // namespace zavo
