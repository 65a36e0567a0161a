// The English text table of the language library (Tolkar).

#include <span>

#include "resources/TextEntry.h"

namespace zavo {
namespace {

constexpr ZavoText kEnglish[] = {
    {61544, "Encoder pulse per rotation"},
};

}  // namespace

std::span<const ZavoText> englishStrings() { return kEnglish; }

}  // namespace zavo
