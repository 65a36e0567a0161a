#include "sim/ParameterMemory.h"

namespace zavo::sim {

ParameterMemory::ParameterMemory(int imageWords)
    : image_(static_cast<std::size_t>(imageWords > 0 ? imageWords : 0)) {}

void ParameterMemory::addExtensionWord(int linear) {
  if (linear >= imageWords()) extension_.try_emplace(linear, std::uint16_t{0});
}

bool ParameterMemory::contains(int linear) const {
  return (linear >= 0 && linear < imageWords()) || extension_.count(linear) != 0;
}

std::uint16_t ParameterMemory::word(int linear) const {
  if (linear >= 0 && linear < imageWords()) return image_[static_cast<std::size_t>(linear)];
  const auto it = extension_.find(linear);
  return it == extension_.end() ? 0 : it->second;
}

bool ParameterMemory::store(int linear, std::uint16_t value) {
  std::uint16_t* slot = nullptr;
  if (linear >= 0 && linear < imageWords()) {
    slot = &image_[static_cast<std::size_t>(linear)];
  } else if (auto it = extension_.find(linear); it != extension_.end()) {
    slot = &it->second;
  }
  if (!slot) return false;
  if (*slot != value) {
    *slot = value;
    ++revision_;
  }
  return true;
}

std::vector<std::pair<int, std::uint16_t>> ParameterMemory::words() const {
  std::vector<std::pair<int, std::uint16_t>> out;
  out.reserve(image_.size() + extension_.size());
  for (std::size_t i = 0; i < image_.size(); ++i) out.emplace_back(static_cast<int>(i), image_[i]);
  for (const auto& [linear, value] : extension_) out.emplace_back(linear, value);
  return out;
}

}  // namespace zavo::sim
