#pragma once
// Texts of menus, dialogs and controls by id, from the active text table. The program installs
// the lookups once the language resources are loaded; the English text written beside each id
// at the call site is what shows until then (and where a table lacks the id), so a window is
// never blank.

#include <QString>

#include <functional>
#include <string>

namespace zavo {

// Text of string id `id` in the active table; empty when the table has none.
using TextLookup = std::function<std::string(int id)>;
// Text of control `controlId` (0 for the dialog's title or an unnamed static text, which the
// table may key by its English text) in dialog resource `resourceId`; empty when none.
using DialogTextLookup = std::function<std::string(int resourceId, int controlId, const std::string& english)>;

void setTextLookup(TextLookup lookup);
void setDialogTextLookup(DialogTextLookup lookup);

QString uiText(int id, const char* english);
QString dialogText(int resourceId, int controlId, const char* english);

}  // namespace zavo
