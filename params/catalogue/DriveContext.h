#pragma once
// The process-wide facts about the drive that the catalogue's limits, defaults and scaling
// depend on: which drive type is current, the motor data read from the drive, the version
// flags set at connect, and whether a link is open. One small object with explicit setters,
// so tests can set it and put it back.

namespace zavo {

// The rated speed of a drive that has not said otherwise (or reported none).
inline constexpr int kDefaultRatedSpeed = 3000;

struct DriveContext {
  // Current drive type 0-4 (0 PDXR, 1 PDXA, 2 M7, 3 M7-R, 4 extended M7-R).
  int driveType = 2;
  // The type the launcher chose; Cn005's existence follows it rather than the current type.
  int launcherDriveType = 2;

  int ratedSpeed = kDefaultRatedSpeed;  // rpm, until read from the drive
  int encoderPulses = 2500;    // pulses per revolution, until read
  int modelCode = 0x1121;      // Cn030; 0x121 for types 0 and 1
  bool legacySeries = false;   // ('C', 0x42) below 112
  bool extendedMonitor = true; // 32-bit monitor items
  bool linearMotor = false;    // linear-motor set-up: lower speed limits
  bool highVoltage = false;    // a 400 V drive (Cn051 limits and default)
  long gearScale = 0;          // the document's speed scale factor (0: none)
  bool linkOpen = false;       // gearScale applies only while a link is open
  int motorCode = 0;           // ('5', 0x0C) as last read

  // The rated speed that scaling and limits use: a drive that reports 0 is taken as the
  // default motor by both, so a value and its limits never disagree.
  int effectiveRatedSpeed() const { return ratedSpeed > 0 ? ratedSpeed : kDefaultRatedSpeed; }

  // Back to power-on values for `type` (motor data and flags as before any drive was read).
  void reset(int type = 2);
  // The motor data a document of `type` assumes until a drive is read.
  void resetMotorData();
};

DriveContext& driveContext();

}  // namespace zavo
