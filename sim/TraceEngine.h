#pragma once
// The drive's trace function: its registers (0x7D0-0x7DA, the enable 0x9F5 and the ready word
// 0x9F6), its trace memory and the block reads that stream the memory out, N records a block
// (64, or 16 in Monitor mode), each record the ordinary 23-character reply of a five-register
// block read at the five areas + r.
//
// 0x9F6: the read right after a ready answer gives the ring position (0 without trigger);
// else a pending ready event gives 1 and is consumed; else 0 while capturing, the ring
// position when idle. Writes to 0x7D1, 0x7D2, 0x7D4 and 0x9F5 end "right after".
//
// A port that cannot carry the stream (--trace-port-refused) answers '#' to the set-up write
// and to trace block reads.

#include <functional>
#include <map>

#include "sim/FrameHook.h"
#include "sim/RegisterRange.h"
#include "sim/TraceCapture.h"

namespace zavo::sim {

class TraceEngine final : public RegisterRange, public FrameHook {
 public:
  using TerminalsFn = std::function<TraceSignals::Terminals()>;

  TraceEngine(MotionSource& motion, TraceSignals::Scale scale, std::uint64_t seed, TerminalsFn terminals);

  bool claims(RegisterRef r) const override;
  std::optional<std::uint16_t> read(RegisterRef r) override;
  bool accepts(RegisterRef r, std::uint16_t value) const override;
  void write(RegisterRef r, std::uint16_t value) override;
  void poke(RegisterRef r, std::uint16_t value) override;
  void advance(double ms) override;

  std::optional<Answer> intercept(std::span<const std::uint8_t> frame) override;

  void setPortRefused(bool refused) { portRefused_ = refused; }
  // Records lost in Monitor mode by the present (or last) capture.
  long overruns() const { return capture_.overruns(); }
  // The next `n` trace block replies carry one record with a broken checksum.
  void spoilBlocks(int n) { spoil_ = n; }

 private:
  std::uint16_t reg(int number) const;
  TraceCapture::Setup setup() const;
  std::optional<Answer> blockRead(std::span<const std::uint8_t> frame);
  bool isSetupWrite(std::span<const std::uint8_t> frame) const;
  void reportOverruns();

  TraceSignals signals_;
  TraceCapture capture_;
  TerminalsFn terminals_;
  std::map<int, std::uint16_t> regs_;
  double now_ = 0;
  bool rightAfter_ = false;
  bool portRefused_ = false;
  int spoil_ = 0;
  long reported_ = 0;  // overruns already told on stderr
};

}  // namespace zavo::sim
