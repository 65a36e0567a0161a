#pragma once
// What the virtual drive's tuning firmware works with: its working registers and stored
// parameters, the axis, the motor's windings and what the drive knows of its motor from the
// nameplate (motor inertia, rated torque and speed). It also turns identified quantities
// into the words of the result registers.

#include <cstdint>

#include "sim/AxisIdentification.h"
#include "sim/DriveMemory.h"
#include "sim/DriveMotion.h"
#include "sim/MotorElectrics.h"
#include "sim/ParameterMemory.h"
#include "sim/ParameterTable.h"
#include "tuning/TuningRegisters.h"

namespace zavo::sim {

class TuningDrive {
 public:
  TuningDrive(DriveMemory& memory, ParameterMemory& stored, const ParameterTable& table, DriveMotion& motion,
              const AxisParameters& nameplate, std::uint64_t seed, double noise);

  // A working register as the line would read it (0 when refused).
  int word(RegisterRef r) const;
  std::int16_t signedWord(RegisterRef r) const { return static_cast<std::int16_t>(word(r)); }
  // Sets a working register; with `store`, also the stored word when a parameter lives there.
  void set(RegisterRef r, int value, bool store = false);
  int tuning(int tn) const { return word(tuning::tuningRegister(tn)); }

  DriveMotion& motion() { return motion_; }
  MotorElectrics& electrics() { return electrics_; }
  double motorInertia() const;   // kg·m², from the nameplate
  double ratedTorque() const { return nameplate_.ratedTorqueNm; }
  int ratedSpeed() const { return motion_.ratedSpeed(); }
  // The test speed: the JOG speed register, in rpm.
  double testSpeedRpm() const;

  // ---- Result words --------------------------------------------------------------------
  int inertiaWord(double inertia) const;        // CF8, 0.01 kg·cm²
  int ratioWord(double inertia) const;          // Cn025, 0.1
  int frictionWord(double torqueNm) const;      // CA4.., 0.1 % rated torque
  int viscousWord(double nmPerRadS) const;      // CA3, 0.01 % rated per 1000 rpm
  // The inertia ratio the drive's loop assumes now (Cn025's working value).
  double assumedRatio() const;

 private:
  DriveMemory& memory_;
  ParameterMemory& stored_;
  const ParameterTable& table_;
  DriveMotion& motion_;
  AxisParameters nameplate_;
  MotorElectrics electrics_;
};

}  // namespace zavo::sim
