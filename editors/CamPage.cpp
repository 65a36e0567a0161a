#include "editors/CamPage.h"

#include "editors/FieldTexts.h"
#include "link/DriveOperations.h"
#include "link/LinkState.h"
#include "params/catalogue/Catalogue.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace zavo {
namespace {

using Role = CamRowRole;

constexpr int kEcaCount = 22;
constexpr std::int32_t kFlyingFunction = 1;
constexpr std::int32_t kChaseFunction = 2;
constexpr std::string_view kFunctionRow = "ECA01";
constexpr std::string_view kMechanism = "ECA02";
constexpr std::string_view kMechanismDigit = "ECA02.";
constexpr std::string_view kDirectionRow = "Pn349";
// The drive's own ECA02 word, read before it is written over, and Pn349's word.
constexpr int kMechanismPage = 'D', kMechanismAddress = 0x1D;
constexpr int kDirectionPage = 'C', kDirectionAddress = 0x39;
// The flying shear keeps digit 1 of the drive's ECA02 word.
constexpr std::int32_t kKeptDigit1 = 0xF0;
constexpr int kDigitBits = 4;

constexpr EntryRange kOneBit{0, 1};
constexpr EntryRange kResolution{1, 8388608};
constexpr EntryRange kDiameter{1, 10000};
constexpr EntryRange kLength{1, 50000};
constexpr EntryRange kCuts{0, 65535};
constexpr EntryRange kSCurve{0, 1000};
constexpr EntryRange kDirection{0, 3};
constexpr EntryRange kFunction{0, 2};

constexpr CamRowSpec kFlyingRows[] = {
    {"ECA01", 1131, kFunction, Role::Fixed, {}},        {"ECA02.0", 1132, kOneBit, Role::Entry, {}},
    {"ECA02.2", 1133, kOneBit, Role::Entry, {}},        {"ECA03", 1134, kCuts, Role::Entry, {}},
    {"ECA04", 1135, {1, 4}, Role::Entry, {}},           {"ECA05", 1136, {1, 120}, Role::Entry, {}},
    {"ECA06", 1137, {-9000, 9000}, Role::Entry, {}},    {"ECA07", 1140, kResolution, Role::Entry, {}},
    {"ECA08", 1141, kResolution, Role::Entry, {}},      {"ECA09", 1142, kDiameter, Role::Entry, {}},
    {"ECA10", 1143, kDiameter, Role::Entry, {}},        {"ECA11", 1144, kLength, Role::Entry, {}},
    {"ECA12", 1145, kLength, Role::Entry, {}},          {"ECA13", 1146, kSCurve, Role::Entry, {}},
    {"Pn349", 1138, kDirection, Role::Entry, {}},
};

constexpr CamRowSpec kChaseRows[] = {
    {"ECA01", 1131, kFunction, Role::Fixed, {}},
    {"ECA02.0", 1429, kOneBit, Role::List,
     {{{ids::kCamSlaveRotary, "Rotary cutter"}, {ids::kCamSlaveLinear, "Linear (screw-driven) slave axis"}}}},
    {"ECA02.1", 1013, kOneBit, Role::List,
     {{{ids::kCamMasterReal, "Real master axis"}, {ids::kCamMasterVirtual, "Virtual master axis"}}}},
    {"ECA02.2", 1014, kOneBit, Role::List, {{{ids::kCamHomingOff, "Homing not used"}, {ids::kCamHomingOn, "Homing used"}}}},
    {"ECA02.3", 1015, kOneBit, Role::List,
     {{{ids::kCamDiOff, "Digital input function not used"}, {ids::kCamDiOn, "Digital input function used"}}}},
    {"ECA03", 1134, kCuts, Role::Entry, {}},
    {"ECA07", 1140, kResolution, Role::Entry, {}},
    {"ECA08", 1141, kResolution, Role::Entry, {}},
    {"ECA09", 1142, kDiameter, Role::Entry, {}},
    {"ECA10", 1152, kDiameter, Role::Entry, {}},
    {"ECA11", 1144, kLength, Role::Entry, {}},
    {"ECA12", 1145, kLength, Role::Entry, {}},
    {"ECA13", 1146, kSCurve, Role::Entry, {}},
    {"ECA14", 1151, {1, 65535}, Role::Entry, {}},
    {"ECA15", 1150, {0, 10000}, Role::Entry, {}},
    {"ECA16", 1149, kLength, Role::Entry, {}},
    {"ECA17", 1148, kLength, Role::Entry, {}},
    {"ECA18", 1147, {1, 1000}, Role::Entry, {}},
    {"Pn349", 1138, kDirection, Role::Entry, {}},
};

bool isDigitRow(std::string_view name) { return name.substr(0, kMechanismDigit.size()) == kMechanismDigit; }
int digitOf(std::string_view name) { return name.back() - '0'; }

std::string ecaCode(int n) { return (n < 10 ? "ECA0" : "ECA") + std::to_string(n); }

// The working value of a row's parameter in the document.
std::int32_t documentValue(const CZavoServoDoc& doc, std::string_view code) {
  ParamGroup g{};
  int n = 0;
  return catalogue::slotOf(code, g, n) ? doc.value(g, n) : 0;
}

void setDocumentValue(CZavoServoDoc& doc, std::string_view code, std::int32_t v) {
  ParamGroup g{};
  int n = 0;
  if (catalogue::slotOf(code, g, n)) doc.setValue(g, n, v);
}

}  // namespace

CamPage::CamPage(CamKind kind, DriveOperations& ops, CZavoServoDoc& doc)
    : kind_(kind), ops_(ops), doc_(doc), rows_(specs().size()) {
  rows_[static_cast<std::size_t>(rowOf(kFunctionRow))] = {std::to_string(camFunction()), camFunction()};
}

std::span<const CamRowSpec> CamPage::specsOf(CamKind kind) {
  if (kind == CamKind::Flying) return kFlyingRows;
  return kChaseRows;
}

int CamPage::rowOf(CamKind kind, std::string_view name) {
  const auto s = specsOf(kind);
  for (std::size_t r = 0; r < s.size(); ++r)
    if (name == s[r].name) return static_cast<int>(r);
  return -1;
}

std::int32_t CamPage::camFunction() const { return kind_ == CamKind::Flying ? kFlyingFunction : kChaseFunction; }

bool CamPage::readFromDrive(std::array<std::int32_t, 23>& eca, std::int32_t& pn349, bool& pn349Read) {
  for (int n = 1; n <= kEcaCount; ++n) {
    const std::string code = ecaCode(n);
    std::int32_t raw = 0;
    if (!ops_.readParameterDirect(code, raw)) return false;
    // Only a row that can be negative reads its word as signed: the conversion knows which.
    eca[static_cast<std::size_t>(n)] = DriveOperations::rawToDisplay(code, raw);
  }
  pn349Read = ops_.readRegister(kDirectionPage, kDirectionAddress) != 0;
  if (pn349Read) pn349 = ops_.lastValue();
  return true;
}

bool CamPage::open() {
  std::array<std::int32_t, 23> eca{};
  std::int32_t pn349 = 0;
  if (!linkState().isConnected()) {
    for (int n = 1; n <= kEcaCount; ++n) eca[static_cast<std::size_t>(n)] = documentValue(doc_, ecaCode(n));
    fill(eca, documentValue(doc_, kDirectionRow));
    return true;
  }
  bool pn349Read = false;
  if (!readFromDrive(eca, pn349, pn349Read)) {
    prompt().ask({fieldtext::communicateError(), fieldtext::communicationTitle(), PromptIcon::Stop, PromptButtons::Ok});
    return false;
  }
  fill(eca, pn349);
  if (!pn349Read) rows_[static_cast<std::size_t>(rowOf(kDirectionRow))] = {};
  return true;
}

void CamPage::fill(const std::array<std::int32_t, 23>& eca, std::int32_t pn349) {
  const auto s = specs();
  for (std::size_t r = 0; r < s.size(); ++r) {
    const std::string_view name = s[r].name;
    std::int32_t v = 0;
    if (s[r].role == Role::Fixed)
      v = camFunction();
    else if (isDigitRow(name))
      v = (eca[2] >> (kDigitBits * digitOf(name))) & 0xF;
    else if (name == kDirectionRow)
      v = pn349;
    else
      v = eca[static_cast<std::size_t>(catalogue::idOf(name) % 100)];
    rows_[r] = {std::to_string(v), v};
  }
}

bool CamPage::type(int r, std::string_view text) {
  const CamRowSpec& spec = specs()[static_cast<std::size_t>(r)];
  if (spec.role != Role::Entry) return false;
  const auto v = checkedEntry(text, spec.range);
  if (!v) return false;
  rows_[static_cast<std::size_t>(r)] = {std::string(text), *v};
  return true;
}

void CamPage::choose(int r, int index) {
  const CamRowSpec& spec = specs()[static_cast<std::size_t>(r)];
  if (spec.role != Role::List || !spec.range.holds(index)) return;
  rows_[static_cast<std::size_t>(r)] = {std::to_string(index), index};
}

std::int32_t CamPage::composeEca02(std::int32_t current) const {
  std::int32_t v = kind_ == CamKind::Flying ? (current & kKeptDigit1) : 0;
  const auto s = specs();
  for (std::size_t r = 0; r < s.size(); ++r)
    if (isDigitRow(s[r].name)) v += rows_[r].value << (kDigitBits * digitOf(s[r].name));
  return v;
}

bool CamPage::wholePageInRange() const {
  // Every typed row, ECA10 on the chase page included: the drive must not get a cutter
  // diameter the page would never let be typed.
  const auto s = specs();
  for (std::size_t r = 0; r < s.size(); ++r)
    if (s[r].role == Role::Entry && !checkedEntry(rows_[r].text, s[r].range)) return false;
  return true;
}

CamPage::Outcome CamPage::write(std::vector<std::string>* failedOut) {
  if (!linkState().isConnected()) {
    prompt().ask({fieldtext::communicateError(), fieldtext::communicationTitle(), PromptIcon::Stop, PromptButtons::Ok});
    return Outcome::NoLink;
  }
  if (!wholePageInRange()) {
    prompt().ask({fieldtext::kOverrange, {}, PromptIcon::None, PromptButtons::Ok});
    return Outcome::Refused;
  }
  std::vector<std::string> failed;
  {
    // The rows go on after a failure; the failures are told once, together, at the end.
    DriveOperations::QuietFailures quiet(ops_);
    if (!ops_.writeParameter(kFunctionRow, camFunction())) failed.emplace_back(kFunctionRow);
    if (!ops_.readRegister(kMechanismPage, kMechanismAddress) ||
        !ops_.writeParameter(kMechanism, composeEca02(ops_.lastValue())))
      failed.emplace_back(kMechanism);
    const auto s = specs();
    for (std::size_t r = 0; r < s.size(); ++r) {
      if (s[r].role != Role::Entry || isDigitRow(s[r].name)) continue;
      const auto v = checkedEntry(rows_[r].text, s[r].range);
      if (!ops_.writeParameter(s[r].name, *v)) failed.emplace_back(s[r].name);
    }
  }
  if (failedOut) *failedOut = failed;
  if (failed.empty()) {
    prompt().ask({fieldtext::writeSuccess(), fieldtext::tuningFinishedTitle(), PromptIcon::Exclamation, PromptButtons::Ok});
    return Outcome::Done;
  }
  std::string text;
  for (const auto& code : failed) text += (text.empty() ? "" : "\n") + fieldtext::writeError(code);
  prompt().ask({text, fieldtext::errorMessageTitle(), PromptIcon::Stop, PromptButtons::Ok});
  return Outcome::Failed;
}

void CamPage::ok() {
  const auto s = specs();
  setDocumentValue(doc_, kFunctionRow, camFunction());
  setDocumentValue(doc_, kMechanism, composeEca02(documentValue(doc_, kMechanism)));
  for (std::size_t r = 0; r < s.size(); ++r) {
    if (s[r].role != Role::Entry || isDigitRow(s[r].name)) continue;
    // A field left empty by a failed opening keeps the document's value.
    if (const auto v = entryNumber(rows_[r].text); v && !rows_[r].text.empty())
      setDocumentValue(doc_, s[r].name, static_cast<std::int32_t>(*v));
  }
}

}  // namespace zavo
