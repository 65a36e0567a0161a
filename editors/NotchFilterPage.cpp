#include "editors/NotchFilterPage.h"

#include <algorithm>

#include "editors/EntryCheck.h"
#include "editors/FieldTexts.h"
#include "link/DriveOperations.h"
#include "link/LinkState.h"
#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

constexpr std::string_view kFrequencyCode = "Cn013";
constexpr std::string_view kQualityCode = "Cn014";
constexpr EntryRange kFrequencyRange{0, 1000};
constexpr EntryRange kQualityRange{0, 100};

// The page the direct write goes to: register codes name their page by character, or by the
// numeric synonyms of pages '5' and 'C'; a page-'C' parameter goes where its transfers go.
int directPage(std::string_view code, std::uint16_t reg) {
  const int page = reg >> 8;
  if (page == protocol::kPage5Numeric) return protocol::kPage5;
  if (page == protocol::kPageC || page == protocol::kPageCNumeric) return catalogue::transferPage(code);
  return page;
}

}  // namespace

NotchFilterPage::NotchFilterPage(DriveOperations& ops, CZavoServoDoc& doc, std::int32_t frequency, std::int32_t quality)
    : ops_(ops), doc_(doc), frequency_(frequency), quality_(quality) {}

std::string NotchFilterPage::frequencyText() const { return std::to_string(std::min(frequency_, kFrequencyRange.max)); }
std::string NotchFilterPage::qualityText() const { return std::to_string(quality_); }

bool NotchFilterPage::writeOne(std::string_view code, std::int32_t value) {
  const std::uint16_t reg = catalogue::addressCode(code);
  const std::int32_t raw = conversion::toRaw(code, value);
  return ops_.store(driveContext().driveType, catalogue::wordAddress(code), raw) &&
         ops_.writeAck(directPage(code, reg), reg & 0xFF, raw);
}

std::optional<NotchFilterPage::Outcome> NotchFilterPage::refusal(std::string_view frequency, std::string_view quality) {
  if (!checkedEntry(frequency, kFrequencyRange)) return Outcome::FrequencyOutOfRange;
  if (!checkedEntry(quality, kQualityRange)) return Outcome::QualityOutOfRange;
  return std::nullopt;
}

NotchFilterPage::Outcome NotchFilterPage::write(std::string_view frequency, std::string_view quality) {
  if (!linkState().isConnected()) {
    prompt().ask({fieldtext::communicateError(), fieldtext::communicationTitle(), PromptIcon::None, PromptButtons::Ok});
    return Outcome::NoLink;
  }
  if (const auto refused = refusal(frequency, quality)) {
    const bool badFrequency = *refused == Outcome::FrequencyOutOfRange;
    prompt().ask({badFrequency ? fieldtext::filterFrequencyOutOfRange() : fieldtext::filterQualityOutOfRange(),
                  fieldtext::error(), PromptIcon::None, PromptButtons::Ok});
    return *refused;
  }
  const auto f = checkedEntry(frequency, kFrequencyRange);
  const auto q = checkedEntry(quality, kQualityRange);
  frequency_ = *f;
  quality_ = *q;
  ParamGroup g{};
  int n = 0;
  if (catalogue::slotOf(kFrequencyCode, g, n)) doc_.setValue(g, n, *f);
  if (catalogue::slotOf(kQualityCode, g, n)) doc_.setValue(g, n, *q);
  LinkBusyScope busy(ops_.flags());
  for (const auto& [code, value] : {std::pair{kFrequencyCode, *f}, std::pair{kQualityCode, *q}}) {
    if (!writeOne(code, value)) {
      // A frame the drive did not acknowledge ends the sequence, and says so.
      prompt().ask({fieldtext::writeError(std::string(code)), fieldtext::errorMessageTitle(), PromptIcon::Stop,
                    PromptButtons::Ok});
      return Outcome::Failed;
    }
  }
  prompt().ask({fieldtext::writeSuccess() + "\n\n" + fieldtext::restartServo(), fieldtext::writeDataTitle(),
                PromptIcon::Exclamation, PromptButtons::Ok});
  return Outcome::Written;
}

}  // namespace zavo
