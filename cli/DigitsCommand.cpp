// zavoctl digits: a packed parameter's value taken apart and put together as its digit editor
// does, without a drive.

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Json.h"
#include "cli/Numbers.h"
#include "cli/ParameterArgs.h"
#include "editors/DigitLayout.h"
#include "editors/ParameterSetTexts.h"

namespace zavo::cli {
namespace {

constexpr const char* kUsage =
    "Usage: zavoctl digits CODE VALUE [--set FIELD=V]... [--drive-type T] [--json]\n"
    "Shows VALUE (decimal or 0x) of a packed parameter as its digit editor does: 'CODE TEXT' of\n"
    "the value, then 'FIELD VALUE [MEANING]' per field (.0-.3, or .1.0 and .2 of a DI/DO\n"
    "function, or bit0..., or the whole value of a list editor). --set chooses a field's entry\n"
    "first (V decimal or 0x). Exit 2 for a parameter without a digit editor, a choice its list\n"
    "does not offer, or a value the parameter cannot take (\"Out of range!\").";

std::string meaningOf(const DigitLayout& l, const DigitField& f, std::int32_t value) {
  if (l.kind == DigitEditorKind::Rigidity) return l.preview(value);
  const int k = f.choiceIndex(value);
  return k < 0 ? std::string() : f.choices[static_cast<std::size_t>(k)].text;
}

int runDigits(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kUsage, rc);
  if (!o) return rc;
  std::vector<std::string> positional, sets;
  for (std::size_t i = 0; i < o->rest.size(); ++i) {
    if (o->rest[i] == "--set" && i + 1 < o->rest.size()) sets.push_back(o->rest[++i]);
    else positional.push_back(o->rest[i]);
  }
  if (positional.size() != 2) return usageError("digits needs CODE VALUE");
  const std::string& code = positional[0];
  applyDriveType(o->driveType);
  std::int32_t min = 0, max = 0;
  if (!parameterLimits(code, min, max)) return usageError("unknown parameter '" + code + "'");
  const auto layout = digitLayoutOf(code, o->driveType, min, max);
  if (!layout) return usageError(code + " has no digit editor on drive type " + std::to_string(o->driveType));
  const auto start = parseNumber(positional[1]);
  if (!start) return usageError("digits: invalid value '" + positional[1] + "'");
  auto value = static_cast<std::int32_t>(*start);
  for (const std::string& s : sets) {
    const auto eq = s.find('=');
    const DigitField* f = eq == std::string::npos ? nullptr : layout->field(s.substr(0, eq));
    if (!f) return usageError("digits: " + code + " has no field '" + s.substr(0, eq) + "'");
    const auto v = parseNumber(s.substr(eq + 1));
    bool offered = false;
    for (const DigitChoice& c : f->choices) offered = offered || (v && c.value == *v);
    if (!offered) return usageError("digits: " + f->name + " offers no choice '" + s.substr(eq + 1) + "'");
    value = f->with(value, static_cast<int>(*v));
  }
  if (!layout->inRange(value)) {
    std::fprintf(stderr, "%s\n", settext::outOfRange().c_str());
    return kExitUsage;
  }
  std::string json = "{\"code\": " + jsonString(code) + ", \"value\": " + std::to_string(value) +
                     ", \"text\": " + jsonString(layout->valueText(value)) + ", \"fields\": [";
  if (!o->json) std::printf("%s %s\n", code.c_str(), layout->valueText(value).c_str());
  bool first = true;
  for (const DigitField& f : layout->fields) {
    const int v = f.valueIn(value);
    const std::string meaning = meaningOf(*layout, f, value);
    if (o->json) {
      json += (first ? "" : ", ") + std::string("{\"field\": ") + jsonString(f.name) + ", \"value\": " +
              std::to_string(v) + ", \"meaning\": " + (meaning.empty() ? "null" : jsonString(meaning)) + "}";
      first = false;
    } else {
      std::printf("%s %s%s%s\n", f.name.c_str(), f.valueText(v).c_str(), meaning.empty() ? "" : " ", meaning.c_str());
    }
  }
  if (o->json) std::printf("%s]}\n", json.c_str());
  return kExitOk;
}

const CommandRegistrar r("digits", "a packed parameter's fields, as its digit editor shows them", runDigits);

}  // namespace
}  // namespace zavo::cli
