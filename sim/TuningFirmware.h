#pragma once
// The virtual drive's tuning firmware: the registers through which the program starts, stops
// and watches a test (B55 mode, B58 selector, 849 state, 844 progress, 964 adoption, the
// off-line auto gain's start flag), the tests themselves one plan after the other on the
// axis, and the results they leave.
//
//   B55 = 1: motor identification of the selector B58.
//   B55 = 2 after a write of B58: mechanical tuning of that selector; its proposals wait for
//     964 = 1 (the working registers take them, parameters among them are stored) or 2.
//   B55 = 2 with no new selector since the last run: the auto gain adjustment with loop gains.
//   Start flag 0 -> 1 with the auto-gain mode 1 in 51D: the off-line auto gain adjustment.
//   B55 = 0: stop.
//
// A test starts only with the servo off and no test running; otherwise the write is kept
// and nothing starts. 849 reads 16 once a test has finished (its running value is the part
// of the test under way, 1 onwards); 844 counts 0-100 through the auto gain adjustments.
// Writes of these registers by the simulation itself (poke) never start anything; a poked
// 849 or 844 stays as poked (the drive that never finishes).

#include <deque>
#include <vector>

#include "sim/RegisterRange.h"
#include "sim/TuningDrive.h"
#include "sim/TuningTests.h"

namespace zavo::sim {

class TuningFirmware : public RegisterRange, public DriveMotion::Controller {
 public:
  TuningFirmware(TuningDrive& drive, int driveType);

  bool claims(RegisterRef r) const override;
  std::optional<std::uint16_t> read(RegisterRef r) override;
  bool accepts(RegisterRef r, std::uint16_t value) const override;
  void write(RegisterRef r, std::uint16_t value) override;
  void poke(RegisterRef r, std::uint16_t value) override;
  void advance(double ms) override;
  double nextEventMs() const override;
  void atEvent(double ms) override;

  bool running() const { return !plans_.empty(); }

 private:
  enum class Kind { None, Motor, Mechanical, LoopGain, AutoGain };
  struct Word {
    RegisterRef r;
    std::uint16_t value = 0;
    bool pinned = false;
  };

  Word* find(RegisterRef r);
  const Word* find(RegisterRef r) const;
  std::uint16_t wordOf(RegisterRef r) const;
  // The drive tells its state and progress; a pinned word keeps what was poked.
  void tell(RegisterRef r, int value);
  static bool told(RegisterRef r);
  void start(Kind kind, std::vector<TestPlan> plans);
  void beginPlan(double startMs);
  void stop();
  void finish();
  void adopt();

  TuningDrive& drive_;
  const tuning::AutoGainRegisters& autoGain_;
  std::vector<Word> words_;
  double nowMs_ = 0;
  bool selectorWritten_ = false;

  Kind kind_ = Kind::None;
  std::deque<TestPlan> plans_;
  int part_ = 0;
  double planStartMs_ = 0;
  double runStartMs_ = 0, runTotalMs_ = 0;
  std::vector<AxisSample> samples_;
  std::vector<Proposal> proposals_;
};

}  // namespace zavo::sim
