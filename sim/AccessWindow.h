#pragma once
// The indirect access window: five page-'5' registers through which the program reaches any
// word of the parameter memory. Command 1 stores write-data at write-address, command 2
// fetches read-address into read-data. A store changes only the stored word; the running
// value of a parameter changes by its own direct write, or at the next power-on.

#include <vector>

#include "link/Protocol.h"
#include "sim/ParameterMemory.h"
#include "sim/RegisterRange.h"

namespace zavo::sim {

class AccessWindow : public RegisterRange {
 public:
  AccessWindow(ParameterMemory& memory, const protocol::WindowLayout& layout);

  bool claims(RegisterRef r) const override;
  std::optional<std::uint16_t> read(RegisterRef r) override;
  bool accepts(RegisterRef r, std::uint16_t value) const override;
  void write(RegisterRef r, std::uint16_t value) override;
  void poke(RegisterRef r, std::uint16_t value) override;

  // Stores to these linear numbers are refused (a fault); fetches are served as ever.
  void refuseStores(std::vector<int> linears) { refusedStores_ = std::move(linears); }

  std::uint64_t stores() const { return stores_; }
  std::uint64_t fetches() const { return fetches_; }

 private:
  // Index 0-4 of the window register, -1 for none.
  int indexOf(RegisterRef r) const;

  ParameterMemory& memory_;
  protocol::WindowLayout layout_;
  static constexpr int kRegisters = 5;
  std::uint16_t words_[kRegisters] = {};
  std::vector<int> refusedStores_;
  std::uint64_t stores_ = 0;
  std::uint64_t fetches_ = 0;
};

}  // namespace zavo::sim
