#pragma once
// What a drive type offers for its contact planning: how many input (DI) and output (DO)
// terminals it has, which parameter of the contact group each one is, which functions a
// terminal may take, and how the terminals and functions are labelled.

#include <string>
#include <string_view>
#include <vector>

namespace zavo::planning {

enum class Side { In, Out };

// Function codes: DI 0x00-0x24 (one grid row each, row = code), DO 0x01-0x14 (row = code - 1).
inline constexpr int kDiRows = 37;
inline constexpr int kDoRows = 20;
// A terminal's value: function code + this × active level.
inline constexpr int kLevelWeight = 256;
// Values at or above this hold no function and level the grid can show.
inline constexpr int kValueLimit = 2 * kLevelWeight;

class DioLayout {
 public:
  static DioLayout of(int driveType);

  int driveType() const { return driveType_; }
  int terminals(Side side) const { return side == Side::In ? diCount_ : doCount_; }
  static int rows(Side side) { return side == Side::In ? kDiRows : kDoRows; }
  // The whole group in transfer order: the DI parameters, the DO parameters, then the members
  // that are no terminal (kept as read).
  const std::vector<std::string>& names() const { return names_; }
  // Index into names() of terminal `terminal` (0-based).
  int index(Side side, int terminal) const { return side == Side::In ? terminal : diCount_ + terminal; }
  const std::string& parameter(Side side, int terminal) const;
  int firstOther() const { return diCount_ + doCount_; }

  // "DI-3", "DO-1".
  static std::string terminalName(Side side, int terminal);
  // The grid's column label: " DI-3\n (CN1-3)".
  std::string terminalLabel(Side side, int terminal) const;

  static int codeOfRow(Side side, int row) { return side == Side::In ? row : row + 1; }
  static int rowOfCode(Side side, int code) { return side == Side::In ? code : code - 1; }
  // A row that exists on this type but cannot be chosen ("----" on type 3).
  bool blocked(Side side, int row) const;
  // A row whose cell can be chosen on this type.
  bool offers(Side side, int row) const;
  // The function name a row is labelled with ("" for a DO row this type leaves unlabelled).
  std::string rowLabel(Side side, int row) const;

 private:
  int driveType_ = 2;
  int diCount_ = 0;
  int doCount_ = 0;
  int doRowsOffered_ = 0;   // DO rows 0 .. n-1 carry a selection mark
  int doRowsLabelled_ = 0;  // DO rows 0 .. n-1 carry their function name
  std::vector<std::string> names_;
};

// The mnemonic of a function code: DI 0 "NULL", 1 "SON" ...; DO 1 "RDY" ... ("" outside the
// table).
std::string functionName(Side side, int code);
// The code of a mnemonic (any case) or of a hexadecimal code ("0A", "0x0a"); -1 for neither
// or a code outside the table.
int functionCode(Side side, std::string_view text);

}  // namespace zavo::planning
