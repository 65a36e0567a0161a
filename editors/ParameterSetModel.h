#pragma once
// The Parameter Set editor without its window: the listed rows with their check and modified
// marks, each row's cells from the catalogue and the document's four arrays, and every change
// the editor makes to the document's working values: a stored value with its follow-ups (the
// quick-parameter aliases, the rigidity gains of Cn026), the defaults, and the refresh of
// limits and defaults for the motor data. The window shows what this holds; the transfers
// with the drive are editors/ParameterSetTransfer.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "params/catalogue/Catalogue.h"
#include "params/listing/DisplaySelection.h"
#include "params/catalogue/QuickAlias.h"

namespace zavo {

class CZavoServoDoc;

struct ParameterRow {
  catalogue::Entry entry;
  bool checked = false;
  bool modified = false;  // changed here since the last transfer with the drive
};

// The six columns of a row.
struct RowCells {
  std::string code, title, value, unit, range, def;
};

// Why a Write may not start.
enum class WriteRefusal { None, NothingChecked, ModelCode, ReadOnly, ResetWithOthers, OutOfRange };
struct WriteCheck {
  WriteRefusal refusal = WriteRefusal::None;
  std::string code;  // the row that refused it
};

inline constexpr std::string_view kModelCodeParameter = "Cn030";
inline constexpr std::string_view kResetParameter = "Cn029";
inline constexpr std::string_view kReadOnlyParameter = "En15";

class ParameterSetModel {
 public:
  explicit ParameterSetModel(CZavoServoDoc& doc);

  CZavoServoDoc& document() { return doc_; }
  const CZavoServoDoc& document() const { return doc_; }

  // The rows of `selection` for the current drive type. A parameter edited since its last
  // transfer comes back marked and checked, whatever the list showed before; other checks
  // start cleared.
  void fill(const DisplaySelection& selection);
  // Another document: no edit of the old one is pending any more.
  void forgetMarks();
  // The drive type the rows were made for: another one lists other parameters.
  int driveType() const { return driveType_; }
  int size() const { return static_cast<int>(rows_.size()); }
  const std::vector<ParameterRow>& rows() const { return rows_; }
  const ParameterRow& row(int r) const { return rows_[static_cast<std::size_t>(r)]; }
  // Row of a parameter; -1 when it is not listed.
  int rowOf(ParameterSlot parameter) const;
  int rowOf(std::string_view code) const;

  RowCells cells(int r) const;
  std::string valueText(int r) const;
  std::int32_t value(int r) const;
  std::int32_t minimum(int r) const;
  std::int32_t maximum(int r) const;
  std::int32_t defaultValue(int r) const;

  void setChecked(int r, bool checked);
  void setAllChecked(bool checked);
  std::vector<int> checkedRows() const;

  // The user's new value: stored as the working value, the row checked and marked modified;
  // then the follow-ups. Returns every listed row whose cells changed, in list order.
  std::vector<int> store(int r, std::int32_t value);
  // A value the drive holds: stored (with its alias) and the row no longer modified.
  std::vector<int> takeDriveValue(int r, std::int32_t value);
  // The row now matches the drive.
  void markTransferred(int r);
  // Defaults for the current drive type and motor data into every checked row.
  std::vector<int> applyDefaults();
  // Limits and defaults recomputed for the motor data as it now stands; the rows whose range,
  // default or unit text changed.
  std::vector<int> refreshLimits();

  WriteCheck checkWrite() const;

 private:
  void setMark(ParameterSlot p, bool modified);
  // Sets one working value and its alias; marks listed rows and collects them.
  void setValue(ParameterSlot p, std::int32_t value, bool mark, std::vector<int>& changed);
  void applyFollowUps(ParameterSlot p, std::int32_t value, std::vector<int>& changed);
  static ParameterSlot slotOf(const ParameterRow& row) { return {row.entry.group, row.entry.slot}; }

  CZavoServoDoc& doc_;
  std::vector<ParameterRow> rows_;
  // Row of each document slot, -1 when not listed.
  std::array<std::vector<int>, kParamGroupCount> rowIndex_;
  // Slots edited since their last transfer, listed or not: the marks outlive a refill.
  std::array<std::vector<bool>, kParamGroupCount> pending_;
  int encoderPulsesShown_ = 0;
  int driveType_ = -1;
};

}  // namespace zavo
