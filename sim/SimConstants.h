#pragma once
// The virtual drive's own constants: what the healthy drive it plays reports about itself,
// the Modbus details only a server needs, and the timing of its line. Protocol constants the
// program shares live in link/Protocol.h.

#include <array>
#include <chrono>
#include <cstdint>

#include "link/Protocol.h"

namespace zavo::sim {

// ---- The healthy drive ---------------------------------------------------------------------

// Software version 1.25 in the version register and dn-04: not of the legacy series (112 and
// up) and not the one version (110) whose minor register decides the extended monitor.
inline constexpr std::uint16_t kSoftwareVersion = 125;
inline constexpr std::uint16_t kVersionMinor = 20;
static_assert(kSoftwareVersion >= protocol::kLegacyVersionBelow && kSoftwareVersion != protocol::kVersionWithMinor);
inline constexpr std::uint16_t kAsicVersion = 103;  // dn-09
// 0.4 kW 3000 rpm motor, 2500-line encoder, capacity row 1.
inline constexpr std::uint16_t kMotorCode = 0x0141;
inline constexpr std::uint16_t kServoOn = 1;
inline constexpr std::uint16_t kStatusHealthy = 0;  // no alarm bits
inline constexpr std::uint16_t kAuxModelWord = 0;
// Terminals: the servo-on input and the ready output active. The older families report
// their outputs active-low.
inline constexpr std::uint16_t kInputsActive = 0x0001;
inline constexpr std::uint16_t kOutputsActive = 0x0001;
// The third output carries ZS in the power-on assignment: on while the motor turns slower
// than the zero-speed level.
inline constexpr int kZeroSpeedOutputBit = 2;
inline constexpr double kZeroSpeedRpm = 200;
// The alarm history of a drive that has seen some service: no alarm now, nine past ones
// (emergency stop, overload, low voltage, overspeed, encoder, ...).
inline constexpr std::array<std::uint16_t, 10> kPastAlarms{0, 9, 3, 1, 12, 5, 4, 15, 2, 11};
inline constexpr std::uint16_t kNoAlarm = 0;

// ---- Display items the motion drives (Un numbers) ------------------------------------------

inline constexpr int kUnSpeed = 1;
inline constexpr int kUnTorque = 2;
inline constexpr int kUnAverageLoad = 4;
inline constexpr int kUnPeakLoad = 5;
inline constexpr int kUnSpeedCommand = 6;
inline constexpr int kUnPositionError = 7;
inline constexpr int kUnFeedbackPulses = 8;
inline constexpr int kUnAnalogSpeedCommand = 9;
inline constexpr int kUnBusVoltage = 10;
inline constexpr int kUnTorqueCommand = 12;
inline constexpr int kUnTorqueFeedback = 13;
// The analog speed command spans +-10 V at +-rated speed; Un-09 counts hundredths of a volt.
inline constexpr double kAnalogCommandFullScale = 1000;
inline constexpr int kDnOutputs = 2;
inline constexpr int kDnInputs = 3;
inline constexpr int kDnSoftwareVersion = 4;
inline constexpr int kDnAsicVersion = 9;
// dn-07 is not a reading but the auto offset adjustment: the program starts it by writing 1.
inline constexpr int kDnAutoOffset = 7;

// The auto gain profile at power-on, in the drive's words: 1000 rpm (16384 per rated speed),
// 4 × 10000 × 3000 / 16384 ≈ 7324 rpm/s, 2000 × 0.1 ms.
inline constexpr std::uint16_t kAutoGainSpeedWord = 5461;
inline constexpr std::uint16_t kAutoGainAccelerationWord = 4;
inline constexpr std::uint16_t kAutoGainTimeWord = 2000;

// ---- Indirect access window ----------------------------------------------------------------

inline constexpr std::uint16_t kWindowIdle = 0;  // the command register after a command ran

// ---- Modbus, server side -------------------------------------------------------------------

inline constexpr std::uint8_t kModbusBroadcast = 0;
// The register the program's Modbus connect probes (group 'C' base + 0: no parameter).
inline constexpr int kModbusProbeRegister = 0x0000;
inline constexpr std::uint8_t kIllegalFunction = 0x01;
inline constexpr std::uint8_t kIllegalAddress = 0x02;
inline constexpr std::uint8_t kIllegalValue = 0x03;
inline constexpr std::uint8_t kDeviceFailure = 0x04;
inline constexpr int kMaxReadCount = 125;  // registers one reply frame carries
// Modbus reserves 248-255, but the program's station setting goes up to 255.
inline constexpr int kMaxStation = 255;
// RTU request layouts (station and function first, CRC last): most functions have a fixed
// length; the write-multiple functions carry a byte count at offset 6 (9 bytes around it),
// read/write-multiple at offset 10 (13 around it).
struct RtuLayout {
  std::uint8_t function;
  std::size_t length;       // fixed length, or the bytes around the counted data
  std::size_t countOffset;  // 0: fixed length
};
inline constexpr RtuLayout kRtuLayouts[] = {
    {0x01, 8, 0}, {0x02, 8, 0}, {0x03, 8, 0}, {0x04, 8, 0}, {0x05, 8, 0}, {0x06, 8, 0},
    {0x07, 4, 0}, {0x08, 8, 0}, {0x0B, 4, 0}, {0x0C, 4, 0}, {0x0F, 9, 6}, {0x10, 9, 6},
    {0x11, 4, 0}, {0x16, 10, 0}, {0x17, 13, 10}, {0x18, 6, 0},
};
inline constexpr std::size_t kMaxRtuFrame = 256;
inline constexpr std::size_t kMaxAsciiFrame = 513;

// ---- Line timing ---------------------------------------------------------------------------

inline constexpr double kDefaultTurnaroundMs = 0.5;
// An RTU frame of unknown layout ends after 3.5 character times of silence, but never sooner
// than this: a pseudo-terminal hands bytes over in bursts.
inline constexpr auto kMinRtuSilence = std::chrono::milliseconds(10);
inline constexpr double kRtuSilenceCharacters = 3.5;
// An unfinished fragment is forgotten after this much quiet (or 20 character times).
inline constexpr auto kMinStaleAfter = std::chrono::milliseconds(100);
inline constexpr int kStaleCharacters = 20;
// After the last request before an unplug, the reply gets this long to reach the program:
// closing a pty's master discards what the other side has not read yet.
inline constexpr auto kUnplugGrace = std::chrono::milliseconds(50);

}  // namespace zavo::sim
