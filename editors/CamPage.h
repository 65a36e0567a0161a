#pragma once
// The flying-shear and chase-shear pages without their windows: the electronic cam's rows
// (parameters, or digits of the packed ECA02), each with its range, the text its field holds
// and the value last accepted for it; opening from the drive or the document; the Write of
// every row to the drive in the drive's order; OK into the document.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editors/EntryCheck.h"

namespace zavo {

class CZavoServoDoc;
class DriveOperations;

enum class CamKind { Flying, Chase };

enum class CamRowRole {
  Fixed,  // ECA01: the page's own cam function, never typed
  Entry,  // an edit field with the entry check
  List,   // a digit of ECA02 chosen from two entries (chase shear)
};

// A list entry: its string id, and the English wording where the table has none.
struct CamItem {
  unsigned id = 0;
  const char* english = "";
};

struct CamRowSpec {
  const char* name;  // "ECA05", "ECA02.2", "Pn349"
  int control;
  EntryRange range;
  CamRowRole role;
  std::array<CamItem, 2> items;  // a list's two entries
};

struct CamRow {
  std::string text;
  std::int32_t value = 0;  // the last accepted value (a list: its index)
};

// Dialog resources and their menu commands' pages.
inline constexpr int kIddFlyingShear = 192;
inline constexpr int kIddChaseShear = 6008;
inline constexpr int kIdcCamWrite = 1003;

class CamPage {
 public:
  enum class Outcome { Done, Refused, NoLink, Failed };

  CamPage(CamKind kind, DriveOperations& ops, CZavoServoDoc& doc);

  CamKind kind() const { return kind_; }
  static std::span<const CamRowSpec> specsOf(CamKind kind);
  std::span<const CamRowSpec> specs() const { return specsOf(kind_); }
  // Row `name` of a page of `kind`; -1 when it has none.
  static int rowOf(CamKind kind, std::string_view name);
  const CamRow& row(int r) const { return rows_[static_cast<std::size_t>(r)]; }
  int rowOf(std::string_view name) const { return rowOf(kind_, name); }
  int size() const { return static_cast<int>(rows_.size()); }

  // Fills the rows: from the drive with a link (false when a read failed: the rows stay
  // empty), else from the document's working values.
  bool open();
  // The entry check of one field's new text: false when it is refused, and the field keeps
  // its previous text.
  bool type(int r, std::string_view text);
  // A list row's choice.
  void choose(int r, int index);

  // Write: the whole page checked ("overrange" and nothing sent when a row is out of range),
  // then ECA01, ECA02 over the drive's own word and the other rows in the drive's order. A
  // row the drive does not take is named at the end; the rest still go. `failed` lists them.
  Outcome write(std::vector<std::string>* failed = nullptr);
  // OK: the rows into the document's working values, no drive traffic.
  void ok();

 private:
  std::int32_t camFunction() const;
  bool readFromDrive(std::array<std::int32_t, 23>& eca, std::int32_t& pn349, bool& pn349Read);
  void fill(const std::array<std::int32_t, 23>& eca, std::int32_t pn349);
  // ECA02 from the rows, over `current` (the drive's or the document's word).
  std::int32_t composeEca02(std::int32_t current) const;
  bool wholePageInRange() const;

  CamKind kind_;
  DriveOperations& ops_;
  CZavoServoDoc& doc_;
  std::vector<CamRow> rows_;
};

}  // namespace zavo
