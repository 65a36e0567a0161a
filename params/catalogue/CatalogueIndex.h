#pragma once
// The catalogue tables indexed for lookup: per drive type, family and number the row that
// answers, so that every lookup is a parse and an array access.

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/CatalogueRow.h"
#include "params/catalogue/ParameterCode.h"

namespace zavo::catalogue {

class CatalogueIndex {
 public:
  static const CatalogueIndex& instance();

  // The row answering for `key` on `driveType`; nullptr when the catalogue has none.
  const CatalogueRow* row(Key key, int driveType) const;
  // The 32-bit description of `key` on `driveType`; nullptr for a 16-bit item.
  const WideRow* wide(Key key, int driveType) const;
  // Existing parameters of `driveType` in list order; Cn005 follows `launcherType`.
  const std::vector<Entry>& entries(int driveType, int launcherType) const;

 private:
  CatalogueIndex();
  static std::size_t slot(Key key, int driveType);
  void add(std::span<const CatalogueRow> rows);
  std::vector<Entry> buildEntries(int driveType, int launcherType) const;

  static constexpr std::size_t kNumbers = kMaxNumber + 1;
  static constexpr std::size_t kSize = static_cast<std::size_t>(kDriveTypeCount) * kFamilyCount * kNumbers;
  std::array<const CatalogueRow*, kSize> rows_{};
  std::array<const WideRow*, kSize> wide_{};

  mutable std::mutex entriesMutex_;
  mutable std::array<std::unique_ptr<std::vector<Entry>>, kDriveTypeCount * kDriveTypeCount> entries_;
};

}  // namespace zavo::catalogue
