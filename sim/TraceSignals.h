#pragma once
// The signals the drive's trace function samples, as raw words: speed command and feedback,
// torque command and the feedback that lags it, the position deviation, the electrical
// angle, the speed of the pulse reference, the U phase current and the terminal bits. Each
// sample takes the motion at its moment and adds a little noise of its own; the words are
// those the program's scaling turns back into the units of each source.
//
// Samples must be asked for at non-decreasing times: the lagging feedback and the pulse
// reference speed are carried from one sample to the next.

#include <cstdint>
#include <vector>

#include "sim/MotionSource.h"

namespace zavo::sim {

class TraceSignals {
 public:
  struct Scale {
    int ratedSpeed = 3000;  // S
    int speedUnit = 4096;   // F
  };
  // Terminal assignment words of the inputs and of the outputs (value v: function v - 1,
  // or v - 257 when active high), which decide what each terminal bit follows.
  struct Terminals {
    std::vector<int> inputs;
    std::vector<int> outputs;
  };

  TraceSignals(MotionSource& motion, Scale scale, std::uint64_t seed);

  // A new capture: the carried state starts over, with the terminals as they are now.
  void restart(const Terminals& terminals);
  // Samples the motion at `ms`; raw() then reads the words of that sample.
  void sampleAt(double ms);
  // The raw word of `source` (1-8, the digital sources, 33 the deviation's high word) in the
  // last sample; 0 for a source that does not exist.
  std::uint16_t raw(int source) const;
  // What the program shows for raw word `raw` of `source`, rounded as it rounds: the drive
  // compares its trigger level with this.
  int shown(int source, std::uint16_t raw) const;

 private:
  double noise();

  MotionSource& motion_;
  Scale scale_;
  std::uint64_t seed_;
  std::uint64_t draws_ = 0;
  Terminals terminals_;
  bool first_ = true;
  double lastMs_ = 0;
  double lastCommandPulses_ = 0;

  // The last sample in units.
  double speedCommand_ = 0;
  double speedFeedback_ = 0;
  double torqueCommand_ = 0;
  double torqueFeedback_ = 0;
  std::int64_t deviation_ = 0;
  int angle_ = 0;  // 0-1023 per electrical turn
  double pulseReference_ = 0;
  double currentU_ = 0;
};

}  // namespace zavo::sim
