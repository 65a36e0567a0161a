#pragma once
// The drive's stored parameters, word by linear number: what survives a power cycle and what
// the indirect access window stores into and fetches from. The register image is 256 words
// on the older drive types and 512 on the M7 family; parameters the catalogue places beyond
// the image (pages other than '5' and 'C') get a word of their own beside it.

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zavo::sim {

class ParameterMemory {
 public:
  explicit ParameterMemory(int imageWords = 0);

  int imageWords() const { return static_cast<int>(image_.size()); }
  // A word beyond the image that a parameter occupies.
  void addExtensionWord(int linear);
  bool contains(int linear) const;
  // 0 for a linear number the memory does not hold.
  std::uint16_t word(int linear) const;
  // False (and nothing stored) for a linear number the memory does not hold.
  bool store(int linear, std::uint16_t value);
  // Every word held, image first, in linear order.
  std::vector<std::pair<int, std::uint16_t>> words() const;
  // Counts changes, so the owner can tell when to save.
  std::uint64_t revision() const { return revision_; }

 private:
  std::vector<std::uint16_t> image_;
  std::map<int, std::uint16_t> extension_;
  std::uint64_t revision_ = 0;
};

}  // namespace zavo::sim
