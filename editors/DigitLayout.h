#pragma once
// The digit editors: one parameter whose value packs independent settings, each chosen from a
// list. A layout says which fields the value has (hexadecimal digits `.0`-`.3`, a function
// number `.1.0` with its active level `.2`, single bits `bit0`..., or the whole value chosen
// from one list), what each field may be, and the range label the dialog shows. The family of
// editors is data (DigitFamily.cpp); one dialog shows any of them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zavo {

enum class DigitEditorKind {
  Digits,    // four hexadecimal digits, each from its own list
  Function,  // a DI or DO function: number (.1.0) and active level (.2)
  Bits,      // one on/off choice per bit
  List,      // the whole value from one list (control mode)
  Rigidity,  // the whole value from one list, with the gains it stands for
};

struct DigitChoice {
  int value = 0;
  std::string text;  // what the choice means ("" where the list shows only the number)
};

struct DigitField {
  std::string name;  // ".0", ".1.0", ".2", "bit3", "value"
  int shift = 0;     // of the field's lowest bit in the value
  int width = 4;     // bits
  std::vector<DigitChoice> choices;  // none: a field this parameter does not use

  bool used() const { return !choices.empty(); }
  int valueIn(std::int32_t value) const;
  std::int32_t with(std::int32_t value, int fieldValue) const;
  // Index of the choice for the field's value in `value`; -1 when the list has none.
  int choiceIndex(std::int32_t value) const;
  // The field's value as the editor names it: one hexadecimal digit, two for a function
  // number, a bit as 0 or 1, a whole value in decimal.
  std::string valueText(int fieldValue) const;
};

struct DigitLayout {
  int resource = 0;
  DigitEditorKind kind = DigitEditorKind::Digits;
  std::string code;
  std::string rangeLabel;
  std::int32_t min = 0, max = 0;
  std::vector<DigitField> fields;

  // The field called `name`; nullptr when there is none.
  const DigitField* field(std::string_view name) const;
  bool inRange(std::int32_t value) const { return value >= min && value <= max; }
  // The value as the read-only box shows it: "%04X", or the whole value as the parameter
  // shows it for the list editors.
  std::string valueText(std::int32_t value) const;
  // The gains a rigidity level stands for: "Pn310 ..., Sn211 ..., Sn212 ..." ("" otherwise).
  std::string preview(std::int32_t value) const;
};

// What the Parameter Set editor's Edit opens for a parameter.
enum class EditorRoute {
  Value,      // the value editor (1247)
  ModelCode,  // the value editor as the model code editor (271)
  Digits,     // a digit editor of the family
};
EditorRoute editorRouteOf(std::string_view code, int driveType);

// The digit editor of `code` on `driveType` with the parameter's limits; nothing when the
// parameter has none. No choice composes a value above `max` on its own.
std::optional<DigitLayout> digitLayoutOf(std::string_view code, int driveType, std::int32_t min, std::int32_t max);

inline constexpr int kIddModelCodeEditor = 271;
inline constexpr const char* kModelCodeRangeLabel = "(0000-1FFF)";

}  // namespace zavo
