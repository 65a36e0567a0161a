// The text table compiled into the program: what it shows before (or without) a language
// library.

#include <span>

#include "resources/TextEntry.h"

namespace zavo {
namespace {

constexpr ZavoText kBuiltin[] = {
    {62116, "ZavoServo(PDXR) V1.03"},
    {62117, "ZavoServo(PDXA) V1.03"},
    {62118, "ZavoServo(M7) V0.072"},
    {62119, "ZavoServo(M7-R) V0.072"},
    {62133, "servo"},
    {62134, "servo"},
    {62135, "servo"},
    {62136, "servo"},
};

}  // namespace

std::span<const ZavoText> builtinStrings() { return kBuiltin; }

}  // namespace zavo
