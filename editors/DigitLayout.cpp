#include "editors/DigitLayout.h"

#include <cstdio>

#include "editors/DigitFamily.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/Rigidity.h"
#include "resources/StringIds.h"

namespace zavo {
namespace {

using digits::Member;

constexpr std::string_view kModelCode = "Cn030";
constexpr int kDigits = 4;
constexpr int kDigitBits = 4;
constexpr int kFunctionBits = 8;
constexpr int kLevelShift = 8;
constexpr int kWholeBits = 16;
constexpr int kMaxBits = 16;
constexpr int kFirstFunction = 1;
constexpr int kFirstRigidity = 1;
constexpr int kMnemonicsMax = 256;  // bound of the mnemonic tables' walk

// Title ids of the contact function parameters: DI-n and DO-n, by family.
constexpr unsigned kDiFunctionTitleFirst = 61526, kDiFunctionTitleLast = 61537;
constexpr unsigned kDoFunctionTitleFirst = 61538, kDoFunctionTitleLast = 61541;
constexpr unsigned kDoFunctionFormat = 61556;

std::string hex4(std::int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(v) & 0xFFFFu);
  return buf;
}

const Member* memberOf(std::string_view code, int driveType) {
  for (const Member& m : digits::members())
    if (code == m.code && digits::applies(m.types, driveType)) return &m;
  return nullptr;
}

bool genericCode(std::string_view code) {
  for (const char* c : digits::genericCodes())
    if (code == c) return true;
  return false;
}

enum class Function { None, Input, Output };
// By the title the catalogue gives the code on the current drive type.
Function functionOf(std::string_view code) {
  if (catalogue::groupLetter(code) != 'H') return Function::None;
  const auto id = static_cast<unsigned>(catalogue::titleIdOf(code));
  if (id == ids::kDiFunctionFormat || (id >= kDiFunctionTitleFirst && id <= kDiFunctionTitleLast)) return Function::Input;
  if (id == kDoFunctionFormat || (id >= kDoFunctionTitleFirst && id <= kDoFunctionTitleLast)) return Function::Output;
  return Function::None;
}

bool hexShown(std::string_view code, int driveType) {
  return (catalogue::attributes(code, driveType) & catalogue::kHexDigitsBit) != 0;
}

// Every choice whose value, standing alone in its field, stays within `max`.
void addChoices(DigitField& f, int first, digits::Items texts, std::int32_t max) {
  for (std::size_t k = 0; k < texts.size(); ++k) {
    const int v = first + static_cast<int>(k);
    if ((static_cast<std::int64_t>(v) << f.shift) > max) break;
    f.choices.push_back({v, texts[k]});
  }
}

std::vector<DigitField> digitFields(const std::array<digits::Items, 4>& items, std::int32_t max) {
  std::vector<DigitField> fields;
  for (int d = 0; d < kDigits; ++d) {
    DigitField f{"." + std::to_string(d), d * kDigitBits, kDigitBits, {}};
    addChoices(f, 0, items[static_cast<std::size_t>(d)], max);
    fields.push_back(std::move(f));
  }
  return fields;
}

std::vector<DigitField> functionFields(Function fn, std::int32_t max) {
  DigitField number{".1.0", 0, kFunctionBits, {}};
  for (int c = kFirstFunction; c < kMnemonicsMax && c <= (max & 0xFF); ++c) {
    // Function c is the mnemonic table's entry c - 1.
    const std::string_view name = fn == Function::Input ? catalogue::diName(c - 1) : catalogue::doName(c - 1);
    if (name.empty() || name == catalogue::diName(-1)) break;
    number.choices.push_back({c, std::string(name)});
  }
  DigitField level{".2", kLevelShift, kDigitBits, {}};
  constexpr const char* kLevels[] = {"Low active", "High active"};
  addChoices(level, 0, kLevels, max);
  return {number, level};
}

std::vector<DigitField> bitFields(digits::Items texts, std::int32_t max) {
  std::vector<DigitField> fields;
  for (int b = 0; b < kMaxBits && (std::int64_t{1} << b) <= max; ++b) {
    DigitField f{"bit" + std::to_string(b), b, 1, {}};
    addChoices(f, 0, texts, max);
    fields.push_back(std::move(f));
  }
  return fields;
}

DigitField wholeField(int first, digits::Items texts, std::int32_t min, std::int32_t max) {
  DigitField f{"value", 0, kWholeBits, {}};
  for (std::size_t k = 0; k < texts.size(); ++k) {
    const int v = first + static_cast<int>(k);
    if (v >= min && v <= max) f.choices.push_back({v, texts[k]});
  }
  return f;
}

}  // namespace

int DigitField::valueIn(std::int32_t value) const {
  return static_cast<int>((static_cast<std::uint32_t>(value) >> shift) & ((1u << width) - 1u));
}

std::int32_t DigitField::with(std::int32_t value, int fieldValue) const {
  const std::uint32_t mask = ((1u << width) - 1u) << shift;
  const auto v = (static_cast<std::uint32_t>(value) & ~mask) | ((static_cast<std::uint32_t>(fieldValue) << shift) & mask);
  return static_cast<std::int32_t>(v);
}

int DigitField::choiceIndex(std::int32_t value) const {
  const int v = valueIn(value);
  for (std::size_t k = 0; k < choices.size(); ++k)
    if (choices[k].value == v) return static_cast<int>(k);
  return -1;
}

std::string DigitField::valueText(int fieldValue) const {
  char buf[16];
  if (width == kWholeBits) return std::to_string(fieldValue);
  std::snprintf(buf, sizeof buf, width == kFunctionBits ? "%02X" : "%X", static_cast<unsigned>(fieldValue));
  return buf;
}

const DigitField* DigitLayout::field(std::string_view name) const {
  for (const DigitField& f : fields)
    if (f.name == name) return &f;
  return nullptr;
}

std::string DigitLayout::valueText(std::int32_t value) const {
  if (kind == DigitEditorKind::List || kind == DigitEditorKind::Rigidity) return catalogue::valueText(code, value);
  return hex4(value);
}

std::string DigitLayout::preview(std::int32_t value) const {
  if (kind != DigitEditorKind::Rigidity) return {};
  const RigidityGains g = rigidityGains(value);
  return "Pn310 " + std::to_string(g.loopGain) + " [1/s], Sn211 " + std::to_string(g.loopGain) + " [Hz], Sn212 " +
         std::to_string(g.integralTime) + " [x0.2msec]";
}

EditorRoute editorRouteOf(std::string_view code, int driveType) {
  if (code == kModelCode) return EditorRoute::ModelCode;
  if (memberOf(code, driveType) || functionOf(code) != Function::None) return EditorRoute::Digits;
  // Of the packed parameters without texts of their own, those shown in hexadecimal are
  // edited digit by digit; the decimal ones are numbers like any other.
  if (genericCode(code) && hexShown(code, driveType)) return EditorRoute::Digits;
  return EditorRoute::Value;
}

std::optional<DigitLayout> digitLayoutOf(std::string_view code, int driveType, std::int32_t min, std::int32_t max) {
  if (editorRouteOf(code, driveType) != EditorRoute::Digits) return std::nullopt;
  DigitLayout l;
  l.code = std::string(code);
  l.min = min;
  l.max = max;
  if (const Member* m = memberOf(code, driveType)) {
    l.resource = m->resource;
    l.kind = m->kind;
    l.rangeLabel = m->label;
    switch (m->kind) {
      case DigitEditorKind::Digits: l.fields = digitFields(m->items, max); break;
      case DigitEditorKind::Bits: l.fields = bitFields(m->items[0], max); break;
      case DigitEditorKind::List: l.fields = {wholeField(0, m->items[0], min, max)}; break;
      case DigitEditorKind::Rigidity: l.fields = {wholeField(kFirstRigidity, m->items[0], min, max)}; break;
      case DigitEditorKind::Function: break;
    }
    return l;
  }
  if (const Function fn = functionOf(code); fn != Function::None) {
    l.resource = digits::kIddFunction;
    l.kind = DigitEditorKind::Function;
    l.rangeLabel = "(0001-" + hex4(max) + ")";
    l.fields = functionFields(fn, max);
    return l;
  }
  static constexpr const char* kNoTexts[] = {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""};
  l.resource = driveType >= 2 ? digits::kIddGenericDigitsM7 : digits::kIddGenericDigitsOlder;
  l.rangeLabel = "(" + hex4(min) + "-" + hex4(max) + ")";
  l.fields = digitFields({kNoTexts, kNoTexts, kNoTexts, kNoTexts}, max);
  return l;
}

}  // namespace zavo
