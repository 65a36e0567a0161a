#pragma once
// Every register of the virtual drive as the line sees it: an ordered set of register ranges
// (the first that claims a register serves it) over the plain working registers.

#include <algorithm>
#include <memory>
#include <vector>

#include "sim/LiveRegisters.h"
#include "sim/RegisterRange.h"

namespace zavo::sim {

class DriveMemory {
 public:
  DriveMemory() = default;
  DriveMemory(const DriveMemory&) = delete;
  DriveMemory& operator=(const DriveMemory&) = delete;

  // Ranges added earlier take precedence over later ones and over the working registers.
  template <class Range, class... Args>
  Range& add(Args&&... args) {
    auto range = std::make_unique<Range>(std::forward<Args>(args)...);
    Range& ref = *range;
    ranges_.push_back(std::move(range));
    return ref;
  }

  LiveRegisters& live() { return live_; }
  const LiveRegisters& live() const { return live_; }

  // As the line sees them: nullopt / false when the drive refuses.
  std::optional<std::uint16_t> read(RegisterRef r);
  bool accepts(RegisterRef r, std::uint16_t value) const;
  bool write(RegisterRef r, std::uint16_t value);
  // Writes from the line to these registers are refused whoever serves them (a fault).
  void refuseWrites(std::vector<RegisterRef> registers) { refused_ = std::move(registers); }
  // From whoever runs the simulation: never refused.
  void poke(RegisterRef r, std::uint16_t value);
  void advance(double ms);

 private:
  RegisterRange& owner(RegisterRef r);
  const RegisterRange& owner(RegisterRef r) const;

  bool refused(RegisterRef r) const { return std::find(refused_.begin(), refused_.end(), r) != refused_.end(); }

  std::vector<std::unique_ptr<RegisterRange>> ranges_;
  LiveRegisters live_;
  std::vector<RegisterRef> refused_;
};

}  // namespace zavo::sim
