#include "params/catalogue/CatalogueIndex.h"

#include <algorithm>

namespace zavo::catalogue {
namespace {

bool validType(int t) { return t >= 0 && t < kDriveTypeCount; }

// Cn005 is the one parameter whose existence follows the launcher's drive type.
constexpr Key kEncoderOutput{Family::Cn, 5};

}  // namespace

const CatalogueIndex& CatalogueIndex::instance() {
  static const CatalogueIndex index;
  return index;
}

CatalogueIndex::CatalogueIndex() {
  add(controlRows());
  add(torqueSpeedRows());
  add(positionRows());
  add(setupRows());
  add(extendedRows());
  add(monitorRows());
  for (const auto& w : wideRows()) {
    const auto key = parseCode(w.code);
    if (!key) continue;
    for (int t = 0; t < kDriveTypeCount; ++t)
      if ((w.types >> t) & 1) {
        auto& cell = wide_[slot(*key, t)];
        if (!cell) cell = &w;
      }
  }
}

std::size_t CatalogueIndex::slot(Key key, int driveType) {
  return (static_cast<std::size_t>(driveType) * kFamilyCount + static_cast<std::size_t>(key.family)) * kNumbers +
         static_cast<std::size_t>(key.number);
}

void CatalogueIndex::add(std::span<const CatalogueRow> rows) {
  for (const auto& r : rows) {
    const auto key = parseCode(r.code);
    if (!key) continue;
    for (int t = 0; t < kDriveTypeCount; ++t)
      if ((r.types >> t) & 1) {
        auto& cell = rows_[slot(*key, t)];
        if (!cell) cell = &r;
      }
  }
}

const CatalogueRow* CatalogueIndex::row(Key key, int driveType) const {
  if (!validType(driveType) || key.number < 0 || key.number > kMaxNumber) return nullptr;
  return rows_[slot(key, driveType)];
}

const WideRow* CatalogueIndex::wide(Key key, int driveType) const {
  if (!validType(driveType) || key.number < 0 || key.number > kMaxNumber) return nullptr;
  return wide_[slot(key, driveType)];
}

const std::vector<Entry>& CatalogueIndex::entries(int driveType, int launcherType) const {
  static const std::vector<Entry> none;
  if (!validType(driveType)) return none;
  if (!validType(launcherType)) launcherType = driveType;
  const std::lock_guard lock(entriesMutex_);
  auto& cached = entries_[static_cast<std::size_t>(driveType * kDriveTypeCount + launcherType)];
  if (!cached) cached = std::make_unique<std::vector<Entry>>(buildEntries(driveType, launcherType));
  return *cached;
}

std::vector<Entry> CatalogueIndex::buildEntries(int driveType, int launcherType) const {
  std::vector<Entry> out;
  for (int f = 0; f < kDocumentFamilyCount; ++f) {
    const auto group = static_cast<ParamGroup>(f);
    const int last = std::min(slotsOf(group), kMaxNumber);
    for (int n = 1; n <= last; ++n) {
      const Key key{static_cast<Family>(f), n};
      const bool encoderOutput = key.family == kEncoderOutput.family && n == kEncoderOutput.number;
      const CatalogueRow* r = row(key, encoderOutput ? launcherType : driveType);
      if (!r || !(r->attributes & existenceBit(driveType))) continue;
      out.push_back(Entry{codeOfKey(key, driveType), group, n, idOfKey(key)});
    }
  }
  return out;
}

}  // namespace zavo::catalogue
