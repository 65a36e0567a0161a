#pragma once
// The two lists of the Add/Remove dialog and what its buttons do to them, without widgets:
// every existing parameter of the drive type as "CODE  Title" lines in group order, and the
// custom list the user builds from them. The dialog shows these lines and moves its selection
// where these functions say.

#include <string>
#include <string_view>
#include <vector>

#include "params/listing/DisplaySelection.h"

namespace zavo {

// Codes offered for the custom list on `driveType`, in the dialog's group order (Cn, Tn, Sn,
// Pn3, Pn4, qn, Hn, ECA), each one that exists on the type.
std::vector<std::string> customListCandidates(int driveType);
// "CODE  Title" for a code (the title from the active text table).
std::string customListLine(std::string_view code);
// The code at the start of a line.
std::string_view codeOfCustomListLine(std::string_view line);

class AddRemoveList {
 public:
  // Lines for `driveType`; the custom list shows the entries that name a parameter existing
  // on the type, in their stored order. Entries of parameters the type lacks (a list built
  // for another drive family) are not shown but kept, after the shown ones, so that switching
  // drive types does not silently empty the user's list.
  AddRemoveList(int driveType, const std::vector<CustomEntry>& custom);

  const std::vector<std::string>& allLines() const { return all_; }
  const std::vector<std::string>& customLines() const { return custom_; }
  bool full() const { return custom_.size() + kept_.size() >= kMaxCustomEntries; }

  // Each returns the custom line to select afterwards (-1: none). An index out of range does
  // nothing.
  // Appends line `allIndex`; a line already in the custom list is not added twice, it is
  // selected. Nothing is added to a full list.
  int add(int allIndex);
  int remove(int customIndex);
  // Appends every line not yet in the custom list, up to the list's capacity.
  int addAll();
  // Empties the list, the kept entries of other drive types included.
  int removeAll();
  // One place up or down; the first line does not move up, the last does not move down.
  int up(int customIndex);
  int down(int customIndex);

  // The custom list as (group code, number) pairs, the kept entries last; at most
  // kMaxCustomEntries.
  std::vector<CustomEntry> entries() const;

 private:
  int indexInCustom(const std::string& line) const;
  bool validCustom(int index) const { return index >= 0 && index < static_cast<int>(custom_.size()); }

  std::vector<std::string> all_;
  std::vector<std::string> custom_;
  std::vector<CustomEntry> kept_;
};

}  // namespace zavo
