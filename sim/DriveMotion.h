#pragma once
// The virtual drive's axis as its registers steer it: servo on (bit 0 of 666) follows the
// swing; JOG mode (619 = 1) follows the JOG speed register 536; a tuning test, while it holds
// the axis, follows its own profile; otherwise the motor is free. The loop gains are the
// working registers of Sn211, Sn212, Cn025, Pn310 and the torque limits Cn010/Cn011, taken
// afresh at every step forward in time.
//
// Whoever holds the axis for a while (a tuning test, the pole alignment) is a controller:
// its moments (the end of a part of a test) come exactly on time, the axis brought there
// first, whoever asks for the motion (the status words, the trace memory sampling between
// two requests, the firmware itself).

#include <cstdint>
#include <vector>

#include "sim/DriveMemory.h"
#include "sim/MechanicsEngine.h"
#include "sim/MotionModel.h"
#include "sim/MotionSource.h"
#include "sim/ParameterTable.h"

namespace zavo::sim {

class DriveMotion final : public MotionSource {
 public:
  class Controller {
   public:
    virtual ~Controller() = default;
    // The next moment the controller acts at (infinity: none).
    virtual double nextEventMs() const = 0;
    // The axis is at `ms`; the controller may change what it follows.
    virtual void atEvent(double ms) = 0;
  };

  DriveMotion(DriveMemory& memory, const ParameterTable& table, const AxisParameters& axis, std::uint64_t seed,
              double noise);

  // Brings the axis to `ms` and returns its state there.
  MotionSample sampleAt(double ms) override;
  const MotionSample& now() const { return engine_.now(); }
  void addController(Controller* c) { controllers_.push_back(c); }

  // A tuning test takes the axis (its profile set on engine()) until it lets go.
  void hold(bool held) { held_ = held; }
  bool held() const { return held_; }
  MechanicsEngine& engine() { return engine_; }

  bool servoOn() const;
  bool jogMode() const;
  // Loop settings from the working registers.
  LoopSettings loopSettings() const;
  // A speed register's word in rpm (the drive's own scale: 4096 per rated speed).
  double speedRpm(std::uint16_t word) const;
  int ratedSpeed() const { return table_.ratedSpeed; }

 private:
  void steer();
  // The working register of a parameter (looked up once: the loop reads them every step).
  RegisterRef liveOf(const char* code) const;
  int word(RegisterRef r) const { return memory_.live().word(r); }

  DriveMemory& memory_;
  const ParameterTable& table_;
  MotionModel swing_;
  MechanicsEngine engine_;
  RegisterRef speedGain_, speedIntegral_, inertiaRatio_, positionGain_, ccwLimit_, cwLimit_;
  bool held_ = false;
  std::vector<Controller*> controllers_;
};

}  // namespace zavo::sim
