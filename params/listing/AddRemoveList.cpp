#include "params/listing/AddRemoveList.h"

#include <algorithm>
#include <utility>

#include "params/catalogue/Catalogue.h"
#include "params/listing/CustomEntryCode.h"

namespace zavo {
namespace {

// The document groups the custom list offers; the tuning and extended groups have pages of
// their own and are not listed.
bool offered(ParamGroup g) {
  switch (g) {
    case ParamGroup::Cn:
    case ParamGroup::Tn:
    case ParamGroup::Sn:
    case ParamGroup::Pn3:
    case ParamGroup::Pn4:
    case ParamGroup::qn:
    case ParamGroup::Hn:
    case ParamGroup::ECA: return true;
    default: return false;
  }
}

constexpr std::string_view kCodeTitleGap = "  ";

}  // namespace

std::vector<std::string> customListCandidates(int driveType) {
  std::vector<std::string> codes;
  for (const catalogue::Entry& e : catalogue::parameters(driveType))
    if (offered(e.group)) codes.push_back(e.code);
  return codes;
}

std::string customListLine(std::string_view code) {
  std::string line(code);
  line += kCodeTitleGap;
  line += catalogue::titleOf(code);
  return line;
}

std::string_view codeOfCustomListLine(std::string_view line) {
  const auto end = line.find(' ');
  return end == std::string_view::npos ? line : line.substr(0, end);
}

AddRemoveList::AddRemoveList(int driveType, const std::vector<CustomEntry>& custom) {
  for (const std::string& code : customListCandidates(driveType)) all_.push_back(customListLine(code));
  for (const CustomEntry& e : custom) {
    if (full()) break;
    const auto code = codeOfCustomEntry(e, driveType);
    if (!code) continue;  // names no parameter at all
    if (catalogue::exists(*code, driveType))
      custom_.push_back(customListLine(*code));
    else
      kept_.push_back(e);
  }
}

int AddRemoveList::indexInCustom(const std::string& line) const {
  const auto code = codeOfCustomListLine(line);
  const auto it = std::find_if(custom_.begin(), custom_.end(),
                               [code](const std::string& l) { return codeOfCustomListLine(l) == code; });
  return it == custom_.end() ? -1 : static_cast<int>(it - custom_.begin());
}

int AddRemoveList::add(int allIndex) {
  if (allIndex < 0 || allIndex >= static_cast<int>(all_.size())) return -1;
  const std::string& line = all_[static_cast<std::size_t>(allIndex)];
  if (const int present = indexInCustom(line); present >= 0) return present;
  if (full()) return -1;
  custom_.push_back(line);
  return static_cast<int>(custom_.size()) - 1;
}

int AddRemoveList::remove(int customIndex) {
  if (!validCustom(customIndex)) return -1;
  custom_.erase(custom_.begin() + customIndex);
  // The line that moved into the gap, or the new last line when the last one went.
  return std::min(customIndex, static_cast<int>(custom_.size()) - 1);
}

int AddRemoveList::addAll() {
  for (const std::string& line : all_) {
    if (full()) break;
    if (indexInCustom(line) < 0) custom_.push_back(line);
  }
  return custom_.empty() ? -1 : 0;
}

int AddRemoveList::removeAll() {
  custom_.clear();
  kept_.clear();  // "all" means the list the user leaves with is empty
  return -1;
}

int AddRemoveList::up(int customIndex) {
  if (!validCustom(customIndex)) return -1;
  if (customIndex == 0) return 0;
  std::swap(custom_[static_cast<std::size_t>(customIndex)], custom_[static_cast<std::size_t>(customIndex - 1)]);
  return customIndex - 1;
}

int AddRemoveList::down(int customIndex) {
  if (!validCustom(customIndex)) return -1;
  if (customIndex + 1 == static_cast<int>(custom_.size())) return customIndex;
  std::swap(custom_[static_cast<std::size_t>(customIndex)], custom_[static_cast<std::size_t>(customIndex + 1)]);
  return customIndex + 1;
}

std::vector<CustomEntry> AddRemoveList::entries() const {
  std::vector<CustomEntry> list;
  for (const std::string& line : custom_) {
    if (list.size() >= kMaxCustomEntries) break;
    list.push_back(customEntryOf(codeOfCustomListLine(line)));
  }
  for (const CustomEntry& e : kept_)
    if (list.size() < kMaxCustomEntries) list.push_back(e);
  return list;
}

}  // namespace zavo
