#include "params/DocumentTexts.h"

namespace zavo::doctext {

// Until the text tables are linked in, the English texts stand here.
std::string text(int id) {
  switch (id) {
    case kInvalidFile: return "Unexpected file format.";
    case kSerialMismatch: return "Serial can't match! Open Error!";
    case kSaveChangesQuestion: return "Parameter is changed, do you want to save it?";
    default: return {};
  }
}

}  // namespace zavo::doctext
