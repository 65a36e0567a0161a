#include "params/document/DocumentTexts.h"

#include "resources/TextTable.h"

namespace zavo::doctext {
namespace {

// The English text beside each id shows when the active table lacks the id, so a message is
// never blank.
std::string_view english(int id) {
  switch (id) {
    case kInvalidFile: return "Invalid file format!";
    case kSerialMismatch: return "Serial can't match! Open Error!";
    case kSaveChangesQuestion: return "Parameter is changed, do you want to save it?";
    default: return {};
  }
}

}  // namespace

std::string text(int id) {
  const auto& table = TextTable::active();
  if (table.has(static_cast<unsigned>(id))) return std::string(table.text(static_cast<unsigned>(id)));
  return std::string(english(id));
}

}  // namespace zavo::doctext
