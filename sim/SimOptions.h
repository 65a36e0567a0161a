#pragma once
// How a virtual drive is set up: what it is, how its line runs, where it keeps its state
// and how it misbehaves. The command line of zavodrive-sim fills one of these; tests build
// them directly.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <vector>

#include "sim/AlarmHistory.h"

#include "sim/FaultPlan.h"
#include "sim/RequestFramer.h"
#include "sim/RigidAxis.h"

namespace zavo::sim {

// The motor and what it drives: whether the servo is on (bit 0 of 666) and the mechanics.
struct AxisSetup {
  bool servoOn = true;
  AxisParameters mechanics;
  double noise = 1;  // measurement noise scale (0: none, for exact checks)
};

// One drive of the line: its Modbus station, its type and the one rate it answers at (0: any).
struct StationSetup {
  int station = 1;
  int driveType = 2;
  long baud = 0;
};

struct SimOptions {
  int driveType = 2;
  long baud = 19200;
  bool pace = false;
  double turnaroundMs = 0.5;
  // DriveLink alone, or Modbus ASCII / RTU (which still answers DriveLink).
  LineProtocol line = LineProtocol::DriveLink;
  int station = 1;
  int modbusFormat = -1;  // 0-8; -1: 0 for ASCII, 6 for RTU
  std::string linkPath;
  std::string statePath;
  std::string logPath;
  FaultPlan faults;
  std::uint64_t seed = 1;
  // A port that cannot carry the trace stream: '#' to the trace set-up and block reads.
  bool tracePortRefused = false;
  AxisSetup axis;
  // The alarm history at power-on (current alarm first), in place of the healthy drive's.
  std::optional<AlarmHistory::Codes> alarms;
  // Registers held at a word from power-on, as a poke from outside holds them: a display
  // value stops following the motor.
  struct Pin {
    int page = 0;
    int address = 0;
    std::uint16_t value = 0;
  };
  std::vector<Pin> pins;

  // A bus of drives on the one line (--stations 1,5,17): each with its own memory and drive
  // type (--drive-type 2,3,2: one per station, or one for all) and perhaps its own baud
  // rate (--bauds: one per drive, or one for all). Empty: the one drive at `station`.
  std::vector<int> busStations;
  std::vector<int> busDriveTypes;
  std::vector<long> bauds;  // empty: the drives answer at any rate

  // The drives of the line, the first one first (at least one).
  std::vector<StationSetup> drives() const;
  // Bits per character on the line: 8N1 for DriveLink, else those of the Modbus format.
  int bitsPerCharacter() const;
  int effectiveModbusFormat() const;
};

}  // namespace zavo::sim
