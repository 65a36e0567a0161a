#pragma once
// The internal position command table as the programming edits it: the mode word (Pn316),
// the smoothing time constant (Pn313) and the paths, each a rotation number, a pulse number
// and a move speed. Items run in transfer order: Pn316, Pn313, then three per path.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "params/document/ZavoServoDoc.h"

namespace zavo::planning {

struct PositionPath {
  std::int32_t rotation = 0;
  std::int32_t pulse = 0;
  std::int32_t speed = 0;
  friend bool operator==(const PositionPath&, const PositionPath&) = default;
};

struct Range {
  std::int32_t min = 0;
  std::int32_t max = 0;
  bool holds(std::int64_t v) const { return v >= min && v <= max; }
  std::int32_t clamp(std::int64_t v) const;
};

// What the entries accept on a drive type: the older types have fixed ranges; on the M7
// family the speed goes up to twice the rated speed of the drive.
struct PositionRanges {
  Range rotation, pulse, speed, smoothing;
  static PositionRanges of(int driveType, int ratedSpeed);
};

inline constexpr int kPathsPerPage = 16;
inline constexpr int kItemsBeforePaths = 2;
inline constexpr int kItemsPerPath = 3;

int pathCount(int driveType);

struct PositionTable {
  std::int32_t mode = 0;       // Pn316 as held
  std::int32_t smoothing = 0;  // Pn313, ms
  std::vector<PositionPath> paths;

  // Digit 0 of the mode word: 0 absolute, 1 relative coordinates. Digit 1: 0 proceed from
  // the PHOLD position, 1 run the current selection. Setting a digit keeps the others as
  // they are.
  int coordinate() const { return mode & 0xF; }
  int phold() const { return (mode >> 4) & 0xF; }
  void setCoordinate(int digit);
  void setPhold(int digit);

  // From and to the items in transfer order.
  static PositionTable fromItems(std::span<const std::int32_t> items, int paths);
  std::vector<std::int32_t> items() const;
  // From and to the document's images, by the item names of the drive type.
  static PositionTable fromDocument(const CZavoServoDoc& doc, int driveType);
  void toDocument(CZavoServoDoc& doc, int driveType) const;

  // Every path value held to its range (what OK does); the time constant too when asked.
  void clampPaths(const PositionRanges& ranges);

  friend bool operator==(const PositionTable&, const PositionTable&) = default;
};

// The drive applies the mode and the time constant only after a restart.
bool restartNeeded(const PositionTable& before, const PositionTable& after);

}  // namespace zavo::planning
