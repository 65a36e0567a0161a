#include "params/catalogue/QuickAlias.h"

namespace zavo {
namespace {

struct AliasPair {
  ParameterSlot named;
  ParameterSlot quick;
};
constexpr AliasPair kAliases[] = {
    {{ParamGroup::Sn, 11}, {ParamGroup::qn, 1}}, {{ParamGroup::Sn, 12}, {ParamGroup::qn, 2}},
    {{ParamGroup::Sn, 13}, {ParamGroup::qn, 3}}, {{ParamGroup::Sn, 14}, {ParamGroup::qn, 4}},
    {{ParamGroup::Pn3, 10}, {ParamGroup::qn, 5}}, {{ParamGroup::Pn3, 11}, {ParamGroup::qn, 6}},
    {{ParamGroup::Pn3, 12}, {ParamGroup::qn, 7}},
};

}  // namespace

std::optional<ParameterSlot> quickAlias(ParameterSlot parameter) {
  for (const auto& a : kAliases) {
    if (a.named == parameter) return a.quick;
    if (a.quick == parameter) return a.named;
  }
  return std::nullopt;
}

}  // namespace zavo
