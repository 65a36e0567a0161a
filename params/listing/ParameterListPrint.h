#pragma once
// What the printed parameter list says, before any position is chosen: the page header and,
// group by group under its title, one row per existing parameter with its code, title, value,
// unit, range and default texts from the catalogue and the document.

#include <string>
#include <vector>

namespace zavo {

class CZavoServoDoc;

struct PrintRow {
  std::string code;
  std::string title;
  std::string value;
  std::string unit;
  std::string range;
  std::string def;
};

struct PrintGroup {
  std::string title;
  std::vector<PrintRow> rows;
};

struct PrintContent {
  std::string header;  // "Zavo Servo -- M7 Parameter List"
  std::vector<PrintGroup> groups;
};

// "PDXR", "PDXA", "PDXAP" or "M7" by drive type.
std::string printModelName(int driveType);
// The list of `doc` for `driveType` (the current drive type, which the catalogue answers for):
// Cn, Tn, Sn, the position groups (Pn3, then on the M7 family Pn4 and ECA), qn, Hn.
PrintContent parameterListContent(const CZavoServoDoc& doc, int driveType);

}  // namespace zavo
