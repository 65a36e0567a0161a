#include "editors/OnlineEditor.h"

#include "editors/FieldTexts.h"
#include "link/DriveOperations.h"
#include "link/LinkState.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ValueConversion.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

// The limits the document holds for `code`; the catalogue's for an item without a slot.
void limitsOf(const CZavoServoDoc& doc, const std::string& code, std::int32_t& min, std::int32_t& max) {
  ParamGroup g{};
  int n = 0;
  if (catalogue::slotOf(code, g, n) && doc.images[g].has(n)) {
    min = doc.images[g].min[static_cast<std::size_t>(n)];
    max = doc.images[g].max[static_cast<std::size_t>(n)];
    return;
  }
  catalogue::Limits lim;
  catalogue::limitsOf(code, lim);
  min = lim.min;
  max = lim.max;
}

}  // namespace

OnlineSlotCodes& onlineSlotSet() {
  static OnlineSlotCodes codes;
  return codes;
}

std::string OnlineSlot::title() const { return empty() ? std::string() : catalogue::titleOf(code); }
std::string OnlineSlot::unit() const { return empty() ? std::string() : catalogue::unitOf(code); }
std::string OnlineSlot::range() const { return empty() ? std::string() : catalogue::rangeText(code, min, max); }
std::string OnlineSlot::valueText() const { return known ? catalogue::valueText(code, value) : std::string(); }

OnlineEditor::OnlineEditor(DriveOperations& ops, const CZavoServoDoc& doc)
    : ops_(ops), doc_(doc), slots_(kOnlineSlotCount) {}

void OnlineEditor::load(const OnlineSlotCodes& codes) {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    OnlineSlot s;
    if (!codes[i].empty() && catalogue::exists(codes[i])) {
      // Spelled as the drive type names it (qn4nn / qn5nn).
      s.code = catalogue::codeOf(catalogue::idOf(codes[i]));
      if (s.code.empty()) s.code = codes[i];
      limitsOf(doc_, s.code, s.min, s.max);
      s.stepping = steppingOf(catalogue::attributes(s.code));
      if (linkState().isConnected()) readValue(s);
    }
    slots_[i] = std::move(s);
  }
}

OnlineSlotCodes OnlineEditor::codes() const {
  OnlineSlotCodes out;
  for (std::size_t i = 0; i < slots_.size(); ++i) out[i] = slots_[i].code;
  return out;
}

bool OnlineEditor::readValue(OnlineSlot& s) {
  if (!ops_.readParameter(s.code)) return false;
  s.value = ops_.lastValue();
  s.known = true;
  return true;
}

OnlineEditor::Outcome OnlineEditor::step(int i, OnlineStep step, bool up, std::vector<int>& changed) {
  if (!linkState().isConnected()) {
    prompt().ask({fieldtext::communicateError(), fieldtext::communicationTitle(), PromptIcon::Stop, PromptButtons::Ok});
    return Outcome::NoLink;
  }
  OnlineSlot& s = slots_[static_cast<std::size_t>(i)];
  if (s.empty()) return Outcome::Free;
  // A value the opening could not read is read now: a step must start from what the drive holds.
  if (!s.known && !readValue(s)) return Outcome::Failed;
  const auto next = steppedValue(s.value, step, up, up ? s.max : s.min);
  if (!next) {
    prompt().ask({fieldtext::overRange(), fieldtext::errorMessageTitle(), PromptIcon::Exclamation, PromptButtons::Ok});
    return Outcome::OverRange;
  }
  const std::int32_t previous = s.value;
  s.value = *next;
  changed.push_back(i);
  int written = 0;
  {
    // One box says it all: the operation's own communication box would come first otherwise.
    DriveOperations::QuietFailures quiet(ops_);
    written = ops_.writeParameter(s.code, s.value);
  }
  if (!written) {
    prompt().ask({fieldtext::onlineEditFailed(), fieldtext::kOnlineCaption, PromptIcon::Stop, PromptButtons::Ok});
    s.value = previous;
    return Outcome::Failed;
  }
  followWord(i, changed);
  return Outcome::Written;
}

void OnlineEditor::followWord(int i, std::vector<int>& changed) {
  const OnlineSlot& s = slots_[static_cast<std::size_t>(i)];
  const int word = catalogue::wordAddress(s.code);
  const std::int32_t raw = conversion::toRaw(s.code, s.value);
  for (std::size_t j = 0; j < slots_.size(); ++j) {
    OnlineSlot& other = slots_[j];
    if (static_cast<int>(j) == i || other.empty() || catalogue::wordAddress(other.code) != word) continue;
    other.value = conversion::toDisplay(other.code, raw);
    other.known = true;
    changed.push_back(static_cast<int>(j));
  }
}

}  // namespace zavo
