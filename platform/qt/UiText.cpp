#include "platform/qt/UiText.h"

namespace zavo {
namespace {

TextLookup& textLookup() {
  static TextLookup lookup;
  return lookup;
}

DialogTextLookup& dialogLookup() {
  static DialogTextLookup lookup;
  return lookup;
}

}  // namespace

void setTextLookup(TextLookup lookup) { textLookup() = std::move(lookup); }
void setDialogTextLookup(DialogTextLookup lookup) { dialogLookup() = std::move(lookup); }

QString uiText(int id, const char* english) {
  if (const auto& lookup = textLookup()) {
    const std::string t = lookup(id);
    if (!t.empty()) return QString::fromStdString(t);
  }
  return QString::fromUtf8(english);
}

QString dialogText(int resourceId, int controlId, const char* english) {
  if (const auto& lookup = dialogLookup()) {
    const std::string t = lookup(resourceId, controlId, english);
    if (!t.empty()) return QString::fromStdString(t);
  }
  return QString::fromUtf8(english);
}

}  // namespace zavo
