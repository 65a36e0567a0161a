#include "editors/ParameterSetModel.h"

#include <algorithm>

#include "params/catalogue/DriveContext.h"
#include "params/listing/ListedParameters.h"
#include "params/catalogue/Rigidity.h"
#include "params/document/ZavoServoDoc.h"

namespace zavo {
namespace {

constexpr ParameterSlot kEncoderOutput{ParamGroup::Cn, 5};
constexpr ParameterSlot kRigidity{ParamGroup::Cn, 26};
constexpr ParameterSlot kPositionLoopGain{ParamGroup::Pn3, 10};
constexpr ParameterSlot kSpeedLoopGain{ParamGroup::Sn, 11};
constexpr ParameterSlot kSpeedIntegralTime{ParamGroup::Sn, 12};

std::size_t at(ParamGroup g) { return static_cast<std::size_t>(g); }
std::size_t at(int slot) { return static_cast<std::size_t>(slot); }

void sortUnique(std::vector<int>& rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
}

}  // namespace

ParameterSetModel::ParameterSetModel(CZavoServoDoc& doc) : doc_(doc) {
  for (std::size_t g = 0; g < kParamGroupCount; ++g) {
    rowIndex_[g].assign(at(kGroupSlots[g] + 1), -1);
    pending_[g].assign(at(kGroupSlots[g] + 1), false);
  }
}

void ParameterSetModel::fill(const DisplaySelection& selection) {
  for (auto& index : rowIndex_) std::fill(index.begin(), index.end(), -1);
  rows_.clear();
  driveType_ = driveContext().driveType;
  const auto entries = listedParameters(selection, driveType_);
  rows_.reserve(entries.size());
  for (const auto& e : entries) {
    auto& index = rowIndex_[at(e.group)];
    // A custom list may name a parameter twice; it is listed once.
    if (e.slot < 1 || at(e.slot) >= index.size() || index[at(e.slot)] >= 0) continue;
    index[at(e.slot)] = size();
    const bool pending = pending_[at(e.group)][at(e.slot)];
    rows_.push_back({e, pending, pending});
  }
  encoderPulsesShown_ = driveContext().encoderPulses;
}

void ParameterSetModel::forgetMarks() {
  for (auto& group : pending_) std::fill(group.begin(), group.end(), false);
  for (auto& row : rows_) row.checked = row.modified = false;
}

void ParameterSetModel::setMark(ParameterSlot p, bool modified) {
  auto& group = pending_[at(p.group)];
  if (p.slot >= 1 && at(p.slot) < group.size()) group[at(p.slot)] = modified;
  if (const int r = rowOf(p); r >= 0) {
    rows_[at(r)].modified = modified;
    if (modified) rows_[at(r)].checked = true;
  }
}

int ParameterSetModel::rowOf(ParameterSlot p) const {
  const auto& index = rowIndex_[at(p.group)];
  return p.slot >= 1 && at(p.slot) < index.size() ? index[at(p.slot)] : -1;
}

int ParameterSetModel::rowOf(std::string_view code) const {
  ParamGroup g{};
  int slot = 0;
  return catalogue::slotOf(code, g, slot) ? rowOf({g, slot}) : -1;
}

std::int32_t ParameterSetModel::value(int r) const {
  const auto& e = row(r).entry;
  return doc_.images[e.group].value[at(e.slot)];
}
std::int32_t ParameterSetModel::minimum(int r) const {
  const auto& e = row(r).entry;
  return doc_.images[e.group].min[at(e.slot)];
}
std::int32_t ParameterSetModel::maximum(int r) const {
  const auto& e = row(r).entry;
  return doc_.images[e.group].max[at(e.slot)];
}
std::int32_t ParameterSetModel::defaultValue(int r) const {
  const auto& e = row(r).entry;
  return doc_.images[e.group].def[at(e.slot)];
}

std::string ParameterSetModel::valueText(int r) const {
  return catalogue::valueText(row(r).entry.code, value(r), true);
}

RowCells ParameterSetModel::cells(int r) const {
  const std::string& code = row(r).entry.code;
  return {code,
          catalogue::titleOf(code),
          valueText(r),
          catalogue::unitOf(code),
          catalogue::rangeText(code, minimum(r), maximum(r)),
          catalogue::valueText(code, defaultValue(r))};
}

void ParameterSetModel::setChecked(int r, bool checked) { rows_[at(r)].checked = checked; }

void ParameterSetModel::setAllChecked(bool checked) {
  for (auto& row : rows_) row.checked = checked;
}

std::vector<int> ParameterSetModel::checkedRows() const {
  std::vector<int> out;
  for (int r = 0; r < size(); ++r)
    if (row(r).checked) out.push_back(r);
  return out;
}

void ParameterSetModel::setValue(ParameterSlot p, std::int32_t v, bool mark, std::vector<int>& changed) {
  const auto touch = [&](ParameterSlot s, bool marked) {
    // Only a real change makes the document modified: reading what it already holds must not
    // raise a save question later.
    if (doc_.value(s.group, s.slot) != v) doc_.setValue(s.group, s.slot, v);
    if (marked) setMark(s, true);
    if (const int r = rowOf(s); r >= 0) changed.push_back(r);
  };
  touch(p, mark);
  if (const auto alias = quickAlias(p)) touch(*alias, false);
}

// Cn005's range and unit follow the encoder rather than its value: its own row is redrawn with
// the store, and refreshLimits() catches an encoder change.
void ParameterSetModel::applyFollowUps(ParameterSlot p, std::int32_t v, std::vector<int>& changed) {
  if (p == kRigidity) {
    const RigidityGains gains = rigidityGains(v);
    setValue(kPositionLoopGain, gains.loopGain, true, changed);
    setValue(kSpeedLoopGain, gains.loopGain, true, changed);
    setValue(kSpeedIntegralTime, gains.integralTime, true, changed);
  }
}

std::vector<int> ParameterSetModel::store(int r, std::int32_t v) {
  std::vector<int> changed;
  const ParameterSlot p = slotOf(row(r));
  setValue(p, v, true, changed);
  applyFollowUps(p, v, changed);
  sortUnique(changed);
  return changed;
}

std::vector<int> ParameterSetModel::takeDriveValue(int r, std::int32_t v) {
  std::vector<int> changed;
  const ParameterSlot p = slotOf(row(r));
  setValue(p, v, false, changed);
  setMark(p, false);
  if (const auto alias = quickAlias(p)) setMark(*alias, false);
  sortUnique(changed);
  return changed;
}

void ParameterSetModel::markTransferred(int r) { setMark(slotOf(row(r)), false); }

std::vector<int> ParameterSetModel::applyDefaults() {
  catalogue::fillDefaults(doc_.images);
  std::vector<int> changed;
  for (int r : checkedRows()) setValue(slotOf(row(r)), defaultValue(r), true, changed);
  sortUnique(changed);
  return changed;
}

std::vector<int> ParameterSetModel::refreshLimits() {
  const ParameterImages before = doc_.images;
  catalogue::fillLimits(doc_.images);
  catalogue::fillDefaults(doc_.images);
  const bool encoderChanged = driveContext().encoderPulses != encoderPulsesShown_;
  encoderPulsesShown_ = driveContext().encoderPulses;
  std::vector<int> changed;
  for (int r = 0; r < size(); ++r) {
    const auto& e = row(r).entry;
    const GroupImage& was = before[e.group];
    const std::size_t n = at(e.slot);
    if (was.min[n] != minimum(r) || was.max[n] != maximum(r) || was.def[n] != defaultValue(r) ||
        (encoderChanged && slotOf(row(r)) == kEncoderOutput))
      changed.push_back(r);
  }
  return changed;
}

WriteCheck ParameterSetModel::checkWrite() const {
  const std::vector<int> checked = checkedRows();
  if (checked.empty()) return {WriteRefusal::NothingChecked, {}};
  for (int r : checked) {
    const std::string& code = row(r).entry.code;
    if (code == kModelCodeParameter) return {WriteRefusal::ModelCode, code};
    if (code == kReadOnlyParameter) return {WriteRefusal::ReadOnly, code};
    // A reset request wipes the drive's parameters: whatever else would be written with it
    // would be lost or half-applied.
    if (code == kResetParameter && value(r) != 0 && checked.size() > 1) return {WriteRefusal::ResetWithOthers, code};
    // Only a file edited by hand brings such a value: it would reach the drive as another one.
    if (value(r) < minimum(r) || value(r) > maximum(r)) return {WriteRefusal::OutOfRange, code};
  }
  return {};
}

}  // namespace zavo
