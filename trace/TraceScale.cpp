#include "trace/TraceScale.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zavo::trace {
namespace {

// Entries 1-14 of the list.
constexpr std::array<int, kScaleEntries - 1> kListed{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 4000, 5000, 10000};

struct Step {
  std::int64_t above;
  int units;
};
// AUTO's steps: these values, not the whole list.
constexpr std::array<Step, 9> kAutoSteps{{
    {5, 5}, {10, 10}, {50, 50}, {100, 100}, {500, 500}, {1000, 1000}, {4000, 4000}, {5000, 5000}, {10000, 10000},
}};

constexpr std::int64_t kFullSpan = static_cast<std::int64_t>(kDivisions) * kListed.back();

}  // namespace

int unitsOfSelection(int selection) {
  if (selection < 1 || selection >= kScaleEntries) return kFallbackUnits;
  return kListed[static_cast<std::size_t>(selection - 1)];
}

bool isListedUnits(int units) { return std::find(kListed.begin(), kListed.end(), units) != kListed.end(); }

int selectionOfUnits(int units) {
  const auto it = std::find(kListed.begin(), kListed.end(), isListedUnits(units) ? units : kFallbackUnits);
  return static_cast<int>(it - kListed.begin()) + 1;
}

std::vector<std::string> scaleEntries(bool withAuto) {
  std::vector<std::string> e;
  if (withAuto) e.emplace_back("AUTO");
  for (int u : kListed) e.push_back(std::to_string(u));
  return e;
}

std::int64_t largestMagnitude(std::span<const std::int32_t> samples) {
  std::int64_t m = 1;
  for (std::int32_t v : samples) m = std::max<std::int64_t>(m, std::llabs(static_cast<long long>(v)));
  return m;
}

int autoUnits(std::int64_t m) {
  int u = 1;
  for (const Step& s : kAutoSteps)
    if (m > s.above) u = s.units;
  return u;
}

int sliderMax(int units) {
  if (units < 1) units = kFallbackUnits;
  return static_cast<int>(std::max<std::int64_t>(0, kFullSpan / units * 2 - kDivisions));
}

int sliderCentre(int units) { return sliderMax(units) / 2; }

std::int64_t halfSpanAt(int units, int slider) {
  return static_cast<std::int64_t>(kHalfDivisions) * units - static_cast<std::int64_t>(slider - sliderCentre(units)) * units;
}

int sliderFor(int units, std::int64_t halfSpan) {
  if (units < 1) units = kFallbackUnits;
  const std::int64_t steps = (static_cast<std::int64_t>(kHalfDivisions) * units - halfSpan) / units;
  return static_cast<int>(std::clamp<std::int64_t>(sliderCentre(units) + steps, 0, sliderMax(units)));
}

ChannelScale centred(int selection, int units) {
  ChannelScale s;
  s.selection = selection;
  s.units = units;
  s.slider = sliderCentre(units);
  s.halfSpan = kHalfDivisions * units;
  return s;
}

bool moveUp(ChannelScale& s) {
  if (s.slider >= sliderMax(s.units)) return false;
  ++s.slider;
  s.halfSpan -= s.units;
  return true;
}

bool moveDown(ChannelScale& s) {
  if (s.slider <= 0) return false;
  --s.slider;
  s.halfSpan += s.units;
  return true;
}

void setSlider(ChannelScale& s, int slider) {
  s.slider = std::clamp(slider, 0, sliderMax(s.units));
  s.halfSpan = static_cast<std::int32_t>(halfSpanAt(s.units, s.slider));
}

double yOf(double v, const ChannelScale& s, double divisionPx) {
  const double u = s.units > 0 ? s.units : kFallbackUnits;
  return (s.halfSpan - v) / u * divisionPx;
}

double valueAt(double y, const ChannelScale& s, double divisionPx) {
  const double u = s.units > 0 ? s.units : kFallbackUnits;
  return s.halfSpan - u / divisionPx * y;
}

}  // namespace zavo::trace
