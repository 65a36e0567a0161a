#include "planning/PositionTable.h"

#include <algorithm>

#include "link/PlanningTransfer.h"
#include "params/catalogue/Catalogue.h"

namespace zavo::planning {
namespace {

constexpr int kOlderType = 2;  // types below it are the older drives
constexpr int kOlderPaths = 16;
constexpr int kM7Paths = 32;
constexpr Range kOlderRotation{-30000, 30000};
constexpr Range kOlderPulse{-32767, 32767};
constexpr Range kOlderSpeed{0, 3000};
constexpr Range kM7Rotation{-16000, 16000};
constexpr Range kM7Pulse{-8388608, 8388608};
constexpr int kM7SpeedPerRated = 2;
constexpr Range kSmoothing{0, 10000};
constexpr std::int32_t kDigitMask = 0xF;
constexpr int kDigitBits = 4;

std::int32_t withDigit(std::int32_t word, int position, int digit) {
  const int shift = position * kDigitBits;
  return (word & ~(kDigitMask << shift)) | ((digit & kDigitMask) << shift);
}

}  // namespace

std::int32_t Range::clamp(std::int64_t v) const { return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, min, max)); }

PositionRanges PositionRanges::of(int driveType, int ratedSpeed) {
  if (driveType < kOlderType) return {kOlderRotation, kOlderPulse, kOlderSpeed, kSmoothing};
  return {kM7Rotation, kM7Pulse, Range{0, kM7SpeedPerRated * std::max(ratedSpeed, 0)}, kSmoothing};
}

int pathCount(int driveType) { return driveType < kOlderType ? kOlderPaths : kM7Paths; }

void PositionTable::setCoordinate(int digit) { mode = withDigit(mode, 0, digit); }
void PositionTable::setPhold(int digit) { mode = withDigit(mode, 1, digit); }

PositionTable PositionTable::fromItems(std::span<const std::int32_t> items, int paths) {
  PositionTable t;
  const auto at = [&items](std::size_t i) { return i < items.size() ? items[i] : 0; };
  t.mode = at(0);
  t.smoothing = at(1);
  for (int p = 0; p < paths; ++p) {
    const auto first = static_cast<std::size_t>(kItemsBeforePaths + kItemsPerPath * p);
    t.paths.push_back({at(first), at(first + 1), at(first + 2)});
  }
  return t;
}

std::vector<std::int32_t> PositionTable::items() const {
  std::vector<std::int32_t> out{mode, smoothing};
  for (const auto& p : paths) out.insert(out.end(), {p.rotation, p.pulse, p.speed});
  return out;
}

PositionTable PositionTable::fromDocument(const CZavoServoDoc& doc, int driveType) {
  std::vector<std::int32_t> items;
  for (const auto& name : PlanningTransfer::positionNames(driveType)) {
    ParamGroup group;
    int slot = 0;
    items.push_back(catalogue::slotOf(name, group, slot) ? doc.images[group].value[static_cast<std::size_t>(slot)] : 0);
  }
  return fromItems(items, pathCount(driveType));
}

void PositionTable::toDocument(CZavoServoDoc& doc, int driveType) const {
  const auto names = PlanningTransfer::positionNames(driveType);
  const auto values = items();
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
    ParamGroup group;
    int slot = 0;
    if (catalogue::slotOf(names[i], group, slot)) doc.images[group].value[static_cast<std::size_t>(slot)] = values[i];
  }
}

void PositionTable::clampPaths(const PositionRanges& r) {
  for (auto& p : paths) {
    p.rotation = r.rotation.clamp(p.rotation);
    p.pulse = r.pulse.clamp(p.pulse);
    p.speed = r.speed.clamp(p.speed);
  }
}

bool restartNeeded(const PositionTable& before, const PositionTable& after) {
  return before.mode != after.mode || before.smoothing != after.smoothing;
}

}  // namespace zavo::planning
