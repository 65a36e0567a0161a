#include "params/catalogue/Catalogue.h"

#include <array>
#include <cstdio>
#include <optional>

#include "params/catalogue/CatalogueIndex.h"
#include "params/catalogue/DriveContext.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::catalogue {
namespace {

constexpr Key kEncoderOutput{Family::Cn, 5};

// Encoder resolution classes shown as Cn005's unit: [first, last] pulses -> text.
struct DivisionClass {
  int first;
  int last;
  const char* text;
};
constexpr std::array<DivisionClass, 8> kDivisionClasses{{{16, 16384, "1"},
                                                         {16386, 32768, "2"},
                                                         {32772, 65536, "4"},
                                                         {65544, 131072, "8"},
                                                         {131088, 262144, "16"},
                                                         {262176, 524288, "32"},
                                                         {524352, 1048576, "64"},
                                                         {1048704, 2097152, "128"}}};

// Parameters the drive applies only after a restart.
struct StoreOnlyRow {
  Family family;
  int number;  // 0: every number of the family
  TypeSet types;
};
constexpr StoreOnlyRow kStoreOnly[] = {
    {Family::Cn, 1, kAllTypes},  {Family::Cn, 2, kAllTypes},  {Family::Cn, 5, kAllTypes},
    {Family::Cn, 9, kAllTypes},  {Family::Cn, 29, kAllTypes}, {Family::Cn, 30, kAllTypes},
    {Family::Cn, 36, kAllTypes}, {Family::Cn, 37, kAllTypes}, {Family::Cn, 38, kAllTypes},
    {Family::Cn, 39, kAllTypes}, {Family::Cn, 40, kAllTypes}, {Family::Cn, 78, kAllTypes},
    {Family::Cn, 79, kAllTypes}, {Family::Cn, 85, kAllTypes}, {Family::Pn3, 1, kAllTypes},
    {Family::Pn3, 6, kAllTypes}, {Family::Pn3, 13, kAllTypes}, {Family::Pn3, 14, kAllTypes},
    {Family::Pn3, 16, kAllTypes}, {Family::Pn3, 46, kAllTypes}, {Family::Pn3, 49, kAllTypes},
    {Family::Pn3, 50, kAllTypes}, {Family::Tn, 1, kAllTypes},  {Family::Tn, 2, kAllTypes},
    // The contact group is store-only, except its last two words on the M7-R.
    {Family::Hn, 17, kAllTypes & ~kType3}, {Family::Hn, 18, kAllTypes & ~kType3},
    {Family::Hn, 0, kAllTypes},
};

constexpr std::array<const char*, 36> kDiNames{
    "SON",  "ALRS", "PCNT", "CCWL", "CWL",  "TLMT", "CLR",  "LOK",   "EMC",    "SPD1", "SPD2", "MDC",
    "INH",  "SPDINV", "G-SEL", "GN1", "GN2", "PTRG", "PHOLD", "SHOME", "ORG",  "POS1", "POS2", "POS3",
    "POS4", "TRQINV", "RS1",  "RS2",  "MDC2", "POS5", "POS6", "VDI",   "ECUT",   "HS_U", "HS_V", "HS_W"};
constexpr const char* kDiUnknown = "Null";
constexpr std::array<const char*, 20> kDoNames{"RDY", "ALM", "ZS", "BI", "INS", "INP", "HOME",
                                               "INT", "P1",  "P2", "P3", "P4",  "P5",  "P6",
                                               "OV",  "BAT", "LIM", "VDO", "ESYN", "ALDO"};


// Modbus register bases by group letter.
struct ModbusBase {
  char letter;
  int base;
};
constexpr std::array<ModbusBase, 7> kModbusBases{
    {{'C', 0x000}, {'T', 0x100}, {'S', 0x200}, {'P', 0x300}, {'q', 0x400}, {'H', 0x500}, {'U', 0x600}}};
constexpr int kPositionIdBase = 300;

constexpr std::array<std::string_view, kDocumentFamilyCount> kGroupNames{
    "Cn", "Tn", "Sn", "Pn3", "Pn4", "qn", "Hn", "tn", "ECA", "OnT", "OnS", "Ond", "OnC", "OnA"};

constexpr std::uint8_t kPageArea5 = '5';
constexpr std::uint8_t kPageAreaC = 'C';
constexpr std::uint8_t kPageNumeric5 = 0x05;
constexpr std::uint8_t kPageNumericC = 0x0C;
constexpr int kAreaCBase = 256;
constexpr int kOtherAreaBase = 512;

int currentType() { return driveContext().driveType; }

const CatalogueIndex& index() { return CatalogueIndex::instance(); }

const CatalogueRow* rowOf(std::string_view code, int driveType) {
  const auto key = parseCode(code);
  return key ? index().row(*key, driveType) : nullptr;
}

// The row for the current drive type, with Cn005 following the launcher's type.
const CatalogueRow* currentRow(std::string_view code) {
  const auto key = parseCode(code);
  if (!key) return nullptr;
  const bool encoderOutput = key->family == kEncoderOutput.family && key->number == kEncoderOutput.number;
  return index().row(*key, encoderOutput ? driveContext().launcherDriveType : currentType());
}

const WideRow* wideOf(std::string_view code) {
  const auto key = parseCode(code);
  if (!key) return nullptr;
  const WideRow* w = index().wide(*key, currentType());
  if (w && w->extendedMonitorOnly && !driveContext().extendedMonitor) return nullptr;
  return w;
}

std::string formatValue(std::uint32_t attr, std::int32_t value) {
  char buf[24];
  const char* fmt = formatOf(attr);
  if (attr & kHexDigitsBit)
    std::snprintf(buf, sizeof buf, fmt, static_cast<unsigned>(value));
  else
    std::snprintf(buf, sizeof buf, fmt, value);
  return buf;
}

// Replaces the first "%d" of a title format with `arg`, without handing a table text to
// printf as a format.
std::string withArgument(std::string_view text, int arg) {
  const auto at = text.find("%d");
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, at)) + std::to_string(arg) + std::string(text.substr(at + 2));
}

std::optional<Key> keyFor(char letter, int number, int id) {
  if (id > 0) {
    if (auto key = parseCode(codeFromId(id, currentType()))) return key;
  }
  switch (letter) {
    case 'C': return Key{Family::Cn, number};
    case 'T': return Key{Family::Tn, number};
    case 'S': return Key{Family::Sn, number};
    case 'P': return Key{Family::Pn3, number};
    case 'q': return Key{Family::qn, number};
    case 'H': return Key{Family::Hn, number};
    case 't': return Key{Family::tn, number};
    case 'E': return Key{Family::ECA, number};
    case 'U': return Key{Family::Un, number};
    case 'd': return Key{Family::dn, number};
    case 'A': return Key{Family::AL, number};
    default: return std::nullopt;
  }
}

}  // namespace

std::uint32_t existenceBit(int driveType) {
  constexpr std::array<std::uint32_t, kDriveTypeCount> bits{kExistsOnType0, kExistsOnType1, kExistsOnType2,
                                                            kExistsOnType3, kExistsOnType4};
  return driveType >= 0 && driveType < kDriveTypeCount ? bits[static_cast<std::size_t>(driveType)] : 0;
}

const char* formatOf(std::uint32_t attributes) {
  constexpr std::array<const char*, 8> formats{"%d", "%X", "%02d", "%02X", "%03d", "%03X", "%04d", "%04X"};
  return formats[(attributes & kFormatMask) >> 5];
}

int editorKind(std::uint32_t attributes) { return static_cast<int>(attributes & kEditorKindMask); }

std::uint32_t attributes(std::string_view code) {
  const CatalogueRow* r = currentRow(code);
  return r ? r->attributes : 0;
}

std::uint32_t attributes(std::string_view code, int driveType) {
  const CatalogueRow* r = rowOf(code, driveType);
  return r ? r->attributes : 0;
}

bool exists(std::string_view code) { return (attributes(code) & existenceBit(currentType())) != 0; }

bool exists(std::string_view code, int driveType) {
  return (attributes(code, driveType) & existenceBit(driveType)) != 0;
}

int idOf(std::string_view code) { return idFromCode(code); }

std::string codeOf(int id) { return codeFromId(id, currentType()); }

std::string codeOf(int id, int driveType) { return codeFromId(id, driveType); }

char groupLetter(std::string_view code) { return code.empty() ? '\0' : code.front(); }

int titleIdOf(std::string_view code) {
  const CatalogueRow* r = rowOf(code, currentType());
  return r ? r->titleId : 0;
}

int titleArgument(std::string_view code) {
  const CatalogueRow* r = rowOf(code, currentType());
  return r ? r->titleArg : 0;
}

std::string titleOf(std::string_view code) {
  const CatalogueRow* r = rowOf(code, currentType());
  if (!r || !r->titleId) return {};
  const std::string_view text = TextTable::active().text(r->titleId);
  return r->titleArg ? withArgument(text, r->titleArg) : std::string(text);
}

std::string unitOf(std::string_view code) {
  const CatalogueRow* r = rowOf(code, currentType());
  if (!r) return {};
  if (r->unit != Unit::EncoderClass) return std::string(unitText(r->unit));
  const int pulses = driveContext().encoderPulses;
  for (const auto& c : kDivisionClasses)
    if (pulses >= c.first && pulses <= c.last) return c.text;
  return {};
}

std::string valueText(std::string_view code, std::int32_t value, bool specialText) {
  const std::uint32_t attr = attributes(code);
  if (specialText && value == 0 && (attr & kEditorKindMask) == kSpecialTextBit)
    return text(ids::kEncoderPulsePerRotation);
  return formatValue(attr, value);
}

std::string rangeText(std::string_view code, std::int32_t min, std::int32_t max) {
  if (min == max) return {};
  return valueText(code, min) + "~" + valueText(code, max);
}

std::uint16_t addressCode(char letter, int number, int id) {
  const auto key = keyFor(letter, number, id);
  if (!key) return 0;
  const CatalogueRow* r = index().row(*key, currentType());
  return r ? r->reg : 0;
}

std::uint16_t addressCode(std::string_view code) {
  const CatalogueRow* r = rowOf(code, currentType());
  return r ? r->reg : 0;
}

int linearNumber(std::uint16_t registerCode) {
  const auto page = static_cast<std::uint8_t>(registerCode >> 8);
  const int index = registerCode & 0xFF;
  if (page == kPageArea5 || page == kPageNumeric5) return index;
  if (page == kPageAreaC || page == kPageNumericC) return index + kAreaCBase;
  return index + kOtherAreaBase;
}

int wordAddress(std::string_view code) {
  const std::uint16_t reg = addressCode(code);
  return reg ? linearNumber(reg) : -1;
}

char transferPage(std::string_view code) {
  const std::uint16_t reg = addressCode(code);
  if (!reg) return '\0';
  const auto page = static_cast<std::uint8_t>(reg >> 8);
  if (page == kPageNumeric5) return static_cast<char>(kPageArea5);
  if (page != kPageAreaC && page != kPageNumericC) return static_cast<char>(page);
  const auto key = parseCode(code);
  const int type = currentType();
  const bool pageC = (key && (key->family == Family::Sn || key->family == Family::ECA)) || type == 2 || type == 4;
  return static_cast<char>(pageC ? kPageAreaC : kPageArea5);
}

bool is32Bit(std::string_view code) { return wideOf(code) != nullptr; }

std::uint16_t highWordCode(std::string_view code) {
  const WideRow* w = wideOf(code);
  return w ? w->highReg : 0;
}

int highWordAddress(std::string_view code) {
  const WideRow* w = wideOf(code);
  return w ? linearNumber(w->highReg) : -1;
}

DirectWritePair directWritePair(std::string_view code) {
  const WideRow* w = wideOf(code);
  if (!w) return {};
  const int type = currentType();
  return {static_cast<std::uint16_t>(type == 2 || type == 3 ? w->directLow : 0), w->directHigh};
}

int modbusRegister(char letter, int number, int id) {
  for (const auto& b : kModbusBases) {
    if (b.letter != letter) continue;
    if (letter == 'P' && id > kPositionIdBase) return b.base + id - kPositionIdBase;
    return b.base + number;
  }
  return -1;
}

int modbusRegister(std::string_view code) {
  const auto key = parseCode(code);
  if (!key) return -1;
  return modbusRegister(groupLetter(code), key->number, idOfKey(*key));
}

WordKind wordKind(char letter, int number, int id) {
  const auto key = keyFor(letter, number, id);
  if (!key) return WordKind::Unknown;
  const int type = currentType();
  const CatalogueRow* r = index().row(*key, type);
  if (!r) return WordKind::Unknown;
  const WideRow* w = index().wide(*key, type);
  if (w && !(w->extendedMonitorOnly && !driveContext().extendedMonitor)) return WordKind::Wide;
  return r->min < 0 || r->rule == Rule::SignedSpeed ? WordKind::Signed : WordKind::Unsigned;
}

bool storeOnly(std::string_view code) { return storeOnly(code, currentType()); }

bool storeOnly(std::string_view code, int driveType) {
  const auto key = parseCode(code);
  if (!key || driveType < 0 || driveType >= kDriveTypeCount) return false;
  for (const auto& s : kStoreOnly) {
    if (s.family != key->family || (s.number != 0 && s.number != key->number)) continue;
    // A numbered row decides for its number; the family-wide row for the rest.
    return ((s.types >> driveType) & 1) != 0;
  }
  return false;
}

std::uint32_t controlModeMask(std::string_view code) { return controlModeMask(code, currentType()); }

std::uint32_t controlModeMask(std::string_view code, int driveType) {
  const CatalogueRow* r = rowOf(code, driveType);
  return r ? r->modes : 0;
}

std::string_view diName(int index) {
  return index >= 0 && index < static_cast<int>(kDiNames.size()) ? kDiNames[static_cast<std::size_t>(index)]
                                                                  : kDiUnknown;
}

std::string_view doName(int index) {
  return index >= 0 && index < static_cast<int>(kDoNames.size()) ? kDoNames[static_cast<std::size_t>(index)]
                                                                  : std::string_view{};
}

const std::vector<Entry>& parameters(int driveType) {
  return index().entries(driveType, driveContext().launcherDriveType);
}

bool slotOf(std::string_view code, ParamGroup& group, int& slot) {
  const auto key = parseCode(code);
  if (!key || static_cast<int>(key->family) >= kDocumentFamilyCount) return false;
  group = static_cast<ParamGroup>(key->family);
  if (key->number < 1 || key->number > slotsOf(group)) return false;
  slot = key->number;
  return true;
}

std::string_view groupName(ParamGroup group) { return kGroupNames[static_cast<std::size_t>(group)]; }

}  // namespace zavo::catalogue
